// The live scoreboard's posts and the calls the sponsor blocked, in the
// robot's database (its tables are made by SubmissionDb's versions). A call's
// last post is its standing; the earlier ones, thinned to one every
// kHistoryStepSeconds and the last kHistoryPoints, draw its line.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "robot/storage_error.h"

struct sqlite3;

constexpr int64_t kHistoryStepSeconds = 5 * 60;
constexpr int kHistoryPoints = 600;  // 50 hours at one point every 5 minutes

struct ScorePostRow {
  int64_t Id = 0;
  std::string Call;
  int64_t Received = 0;  // UTC seconds
  std::string Category;  // the sponsor's code; empty when no category fits
  std::string CategoryTitle;
  bool Japanese = false;
  std::string Continent;
  std::string District;  // a Japanese station's, when it sent one
  int64_t Qsos = 0;
  int64_t Points = 0;
  int64_t Mults = 0;
  int64_t Score = 0;
  std::string Software;
};

struct ScorePoint {
  int64_t At = 0;  // UTC seconds
  int64_t Score = 0;
};

enum class PostTaken { kStored, kTooSoon, kBlocked };

class ScoreStore {
 public:
  // Opens the robot's database, which SubmissionDb made. Throws StorageError.
  explicit ScoreStore(const std::string& path);
  ~ScoreStore();
  ScoreStore(const ScoreStore&) = delete;
  ScoreStore& operator=(const ScoreStore&) = delete;

  // In one transaction: refused when the call is blocked or its last post came
  // less than `minimumGap` seconds before; otherwise stored, and the call's
  // history thinned. Throws StorageError, having stored nothing.
  PostTaken Insert(const ScorePostRow& row, int64_t minimumGap);
  void SetBlocked(const std::string& call, bool blocked, int64_t now);
  std::vector<std::string> Blocked();

  // The last post of each call that is not blocked.
  std::vector<ScorePostRow> Standings();
  // The call's posts kept, oldest first.
  std::vector<ScorePoint> History(const std::string& call);
  // Grows with every change: what was read before is stale when it moved.
  int64_t Changes() const { return changes_; }

 private:
  void Reopen();

  std::string path_;
  std::mutex mutex_;  // one connection, one user at a time
  sqlite3* db_ = nullptr;
  std::atomic<int64_t> changes_{0};
};
