// Every upload the robot gave a receipt for, in one SQLite file of the data
// folder (all of the robot's SQL is here). A row is committed durably (WAL,
// synchronous=FULL) before Insert returns: only then is a receipt given.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "storage_error.h"

struct sqlite3;

struct SubmissionRow {
  int64_t Id = 0;
  std::string Call;
  int64_t Received = 0;  // UTC seconds since 1970
  bool Late = false;
  std::string Sha256;
  int64_t Size = 0;
  std::string FileName;  // as the sender named it: shown, never used as a path
  std::string Email;
  std::string Format;        // "Cabrillo" or "ADIF"
  std::string Category;      // the header's words: "SINGLE-OP ALL LOW"
  std::string CategoryText;  // "single operator, all bands, low power"
  int64_t LinesRead = 0;
  int64_t LinesUnreadable = 0;
  std::optional<int64_t> ClaimedScore;   // the header's
  std::optional<int64_t> ComputedScore;  // by the plug-in's rules
  std::vector<std::string> Warnings;     // only where one row is read whole (Find)
  int64_t WarningCount = 0;              // also in History() and All()
  int64_t SupersededBy = 0;              // a later submission of the call; 0: this one counts
};

struct MissingCall {
  std::string Call;
  int Logs = 0;  // received logs (one per station) that hold it
};

struct CheckRunRow {
  int64_t Id = 0;
  int64_t At = 0;  // UTC seconds
  int Logs = 0;
  std::string Folder;  // under the data folder
};

class SubmissionDb {
 public:
  // Opens or makes the database, brings its tables up to date and checks it
  // (quick_check). Throws StorageError.
  explicit SubmissionDb(const std::string& path);
  ~SubmissionDb();
  SubmissionDb(const SubmissionDb&) = delete;
  SubmissionDb& operator=(const SubmissionDb&) = delete;

  // Stores the row and the calls its log worked; returns its id. Durable when
  // it returns. Throws StorageError, having stored nothing.
  int64_t Insert(const SubmissionRow& row, const std::vector<std::string>& workedCalls);

  std::optional<SubmissionRow> Find(int64_t id);
  // The submission that counts for each call, by call (without warnings).
  std::vector<SubmissionRow> Current();
  // Every submission of `call`, newest first (with the count of its warnings only).
  std::vector<SubmissionRow> History(const std::string& call);
  // Every submission, oldest first (with the count of its warnings only).
  std::vector<SubmissionRow> All();
  // Calls found in at least `minLogs` counting logs that sent no log themselves.
  std::vector<MissingCall> Missing(int minLogs);

  int64_t RecordCheckRun(int64_t at, int logs, const std::string& folder);
  std::optional<CheckRunRow> LastCheckRun();

 private:
  class Lease;
  sqlite3* OpenWriter();

  std::string path_;
  std::mutex writerMutex_;
  sqlite3* writer_ = nullptr;  // reopened after a failed write
  std::mutex readersMutex_;
  std::vector<sqlite3*> idleReaders_;
  // The missing-logs list of the newest submission id and threshold: the
  // public page asks for it often, and it changes only with an upload.
  std::mutex missingMutex_;
  std::pair<int64_t, int> missingOf_{-1, 0};
  std::vector<MissingCall> missing_;
};
