// The outcome of a run as JSON, for log checkers and scripts. The keys are
// documented in docs/operator-guide.md; keep them stable.
#pragma once

#include <string>

#include "native_plugin/score_outcome.h"

std::string FormatJson(const ScoreOutcome& outcome);

// The JSON of a run that failed: what a script gets on standard output
// instead of the outcome.
std::string FormatJsonError(const std::string& message);
