// The report page's facts of one dkz-score run.
#pragma once

#include <string>

#include "report_facts.h"
#include "score_report.h"

// `errText` is err.txt as the plug-in left it after the run.
ReportFacts ReportFactsOfRun(const ScoreOutcome& outcome, const std::string& errText);
