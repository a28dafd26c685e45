// When the plug-in posts its score, apart from any system: the summary's
// score goes to the board at most once in each interval, only when the board
// has not taken the same already, and a post that failed goes again once the
// interval is over.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/scoreboard/board_settings.h"
#include "core/scoreboard/post_result.h"
#include "core/scoreboard/score_document.h"

// The way to the board: one post, which blocks until it ends.
class BoardLink {
 public:
  virtual ~BoardLink() = default;
  virtual PostResult Post(const std::string& url, const std::string& formBody) = 0;
};

class ScorePoster {
 public:
  // Turn's answer when nothing is left to post until the next summary.
  static constexpr int64_t kUntilNewSummary = -1;

  // Each post's outcome is recorded in `scoreboardSection`.
  ScorePoster(BoardLink& link, Settings& scoreboardSection)
      : link_(link), section_(scoreboardSection) {}

  // Posts what `snapshot` gives when a post is due at `nowMs` (a steady
  // clock). Returns the milliseconds until the next turn is due, or
  // kUntilNewSummary. `snapshot` is called only when a post may go.
  int64_t Turn(const BoardSettings& board, const std::function<ScorePost()>& snapshot,
               int64_t nowMs, const CalendarTime& utcNow);

 private:
  BoardLink& link_;
  Settings& section_;
  std::optional<int64_t> lastAttemptMs_;
  std::string taken_;  // the last document the board took, without its time
};
