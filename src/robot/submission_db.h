// Every upload the robot gave a receipt for, in one SQLite file of the data
// folder (its SQL and the database's versions are here; the live scoreboard's
// queries are in score_store). A row is committed durably (WAL,
// synchronous=FULL) before Insert returns: only then is a receipt given.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "robot/storage_error.h"

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
  int64_t WarningCount = 0;              // also in lists of rows
  // Where it stands among its call's logs: the order their uploads arrived
  // in, or for a held log the sponsor accepted, the order of the acceptance.
  int64_t Sequence = 0;
  bool Held = false;         // held for the sponsor: it does not count
  std::string HeldWhy;       // why it was held; kept once the sponsor accepts it
  int64_t Accepted = 0;      // UTC seconds the sponsor accepted it; 0: not
  int64_t SupersededBy = 0;  // a later submission of the call; 0: none

  bool Counts() const { return !Held && SupersededBy == 0; }
};

// What a call holds when a new log of it is stored.
struct CallStanding {
  std::optional<SubmissionRow> Counted;  // the log that counts, if one does
  std::string KeyHash;                   // of the call's resubmission key; empty: none
};

// What becomes of a new log, decided on its call's standing.
struct Admission {
  std::string HeldWhy;     // not empty: held for the sponsor
  std::string NewKeyHash;  // not empty: the call's key from now on
};
using AdmitRule = std::function<Admission(const CallStanding&)>;

enum class AcceptOutcome { kAccepted, kNoSuchLog, kNotHeld };

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

  // The next place in the order of arrival, for an upload that begins now.
  int64_t NextSequence() { return ++sequence_; }

  // Stores the row and the calls its log worked, held or not as `admit`
  // decides on the call's standing in the same transaction; sets the row's
  // Id, Held and HeldWhy. Durable when it returns. Throws StorageError,
  // having stored nothing.
  void Insert(SubmissionRow& row, const std::vector<std::string>& workedCalls,
              const AdmitRule& admit);
  // A held log counts from now on, as if it arrived now; the call's key is
  // dropped, since the sender of the held log does not have it.
  AcceptOutcome Accept(int64_t id, int64_t utcSeconds);

  std::optional<SubmissionRow> Find(int64_t id);
  // The submission that counts for each call, by call (without warnings).
  std::vector<SubmissionRow> Current();
  // Every submission of `call`, the last in the order first (with the count of its
  // warnings only).
  std::vector<SubmissionRow> History(const std::string& call);
  // The logs stored in the file of `sha256`.
  std::vector<SubmissionRow> OfFile(const std::string& sha256);
  // The logs held for the sponsor, oldest first.
  std::vector<SubmissionRow> HeldLogs();
  // The hash of the call's resubmission key; empty when it has none.
  std::string KeyHashOf(const std::string& call);
  // Every submission, oldest first (with the count of its warnings only).
  std::vector<SubmissionRow> All();
  // Calls found in at least `minLogs` counting logs that sent no log themselves.
  std::vector<MissingCall> Missing(int minLogs);

  int64_t RecordCheckRun(int64_t at, int logs, const std::string& folder);
  std::optional<CheckRunRow> LastCheckRun();

  const std::string& Path() const { return path_; }

 private:
  class Lease;
  sqlite3* OpenWriter();

  std::string path_;
  std::atomic<int64_t> sequence_{0};
  std::atomic<int64_t> acceptances_{0};
  std::mutex writerMutex_;
  sqlite3* writer_ = nullptr;  // reopened after a failed write
  std::mutex readersMutex_;
  std::vector<sqlite3*> idleReaders_;
  // The missing-logs list of the newest submission id, the acceptances so far
  // and the threshold: the public page asks for it often, and it changes only
  // with an upload or an acceptance (by this process, which alone writes).
  std::mutex missingMutex_;
  std::tuple<int64_t, int64_t, int> missingOf_{-1, -1, 0};
  std::vector<MissingCall> missing_;
};
