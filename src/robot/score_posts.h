// What the robot does with a logger's score post, apart from HTTP: read,
// judged and stored, or refused with a reason the logger can show; and the
// live board made of the posts.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "check/sponsor_table.h"
#include "logs/country_file.h"
#include "robot/contest_settings.h"
#include "robot/live_board.h"
#include "robot/score_store.h"

// Posts are taken from this long before the contest period to this long after it.
constexpr int64_t kPostMarginSeconds = 60 * 60;
constexpr int64_t kSecondsBetweenPosts = 60;

struct ScoreAnswer {
  int Status = 200;
  std::string Text;  // "OK", or why not in one short line
};

class ScorePostService {
 public:
  // The references outlive the service. Throws StorageError.
  ScorePostService(const RobotSettings& settings, const CountryFile& countries,
                   const SponsorTable& table, const std::string& databasePath);

  // Throws StorageError when a post that was taken could not be stored.
  ScoreAnswer Take(const std::string& xml, int64_t now);

  // The sponsor's decision on a call: blocked, its posts are refused and it
  // leaves the board; unblocked, its last post shows again. The call as
  // decided on (upper case); none when `call` is no callsign.
  std::optional<std::string> SetBlocked(const std::string& call, bool blocked, int64_t now);
  std::vector<std::string> Blocked() { return store_.Blocked(); }

  // Shared by every request until the posts change.
  std::shared_ptr<const LiveBoard> Board();

 private:
  const RobotSettings& settings_;
  const CountryFile& countries_;
  const SponsorTable& table_;
  ScoreStore store_;
  std::mutex boardMutex_;  // the board is made again only after a change
  int64_t boardOf_ = -1;
  std::shared_ptr<const LiveBoard> board_;
};
