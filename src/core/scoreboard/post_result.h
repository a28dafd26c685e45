// How a post to the board ended, and the record of the last one that the
// settings file keeps for support (section "Scoreboard": LastPost, LastStatus,
// LastAnswer).
#pragma once

#include <string>

#include "core/base/date_time.h"
#include "core/engine/settings.h"

enum class PostOutcome {
  Answered,     // the board answered with an HTTP status
  BadAddress,   // the Url cannot be posted to
  Unreachable,  // no connection to the board
  TimedOut,     // connected or connecting, but no answer in time
  Failed,       // anything else; Answer says what
  Abandoned,    // the plug-in is being unloaded: nothing is recorded
};

struct PostResult {
  PostOutcome Outcome = PostOutcome::Failed;
  int HttpStatus = 0;  // when answered
  std::string Answer;  // the board's answer when answered; otherwise the system's words, if any
};

// Answered with a 2xx status.
bool BoardTook(const PostResult& result);

// "200", "500", "unreachable", "timed out", "bad address" or "failed".
std::string StatusText(const PostResult& result);

// The answer's first line, for one line of the settings file: control
// characters as blanks, blanks trimmed, at most kAnswerLineBytes bytes.
const size_t kAnswerLineBytes = 200;
std::string AnswerLine(const std::string& answer);

// LastPost ("2026-06-13 12:34:00 UTC"), LastStatus and LastAnswer.
void RecordPost(Settings& scoreboardSection, const CalendarTime& utcTime, const PostResult& result);
