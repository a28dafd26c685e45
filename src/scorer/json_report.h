// The outcome of a run as JSON, for log checkers and scripts. The keys are
// documented in docs/operator-guide.md; keep them stable.
#pragma once

#include <string>

#include "score_report.h"

std::string FormatJson(const ScoreOutcome& outcome);

// A JSON string literal; bytes that are not UTF-8 are taken as Latin-1.
std::string JsonString(const std::string& text);
