// The outcome of a run as JSON, for log checkers and scripts. The keys are
// documented in docs/operator-guide.md; keep them stable.
#pragma once

#include <string>

#include "score_outcome.h"

std::string FormatJson(const ScoreOutcome& outcome);

// The JSON of a run that failed: what a script gets on standard output
// instead of the outcome.
std::string FormatJsonError(const std::string& message);

// A JSON string literal, always valid UTF-8: each invalid sequence (a stray
// byte, an overlong form, a surrogate, a code point above U+10FFFF) becomes
// U+FFFD, and FormatJson says so in its "notes".
std::string JsonString(const std::string& text);
