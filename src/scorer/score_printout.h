// What dkz-score prints after a run, for people.
#pragma once

#include <string>

#include "native_plugin/score_outcome.h"

// The warnings, the run in a few lines, then the summary, then what became
// of the QSOs, with plain line ends.
std::string FormatPrintout(const ScoreOutcome& outcome);
