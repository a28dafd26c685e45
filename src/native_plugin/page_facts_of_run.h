// The report page's facts of one dkz-score run.
#pragma once

#include "native_plugin/score_outcome.h"
#include "report_page/page_facts.h"

// The QSOs with the plug-in's answer to each and what err.txt said of them:
// a stored QSO counts unless a line calls it a dupe or worth 0 points, and a
// "Code is not acceptable" of a counting QSO with a station outside Japan is
// a note, not a fault.
PageFacts PageFactsOfRun(const ScoreOutcome& outcome);
