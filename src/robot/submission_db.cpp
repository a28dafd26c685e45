#include "robot/submission_db.h"

#include <sqlite3.h>

#include <algorithm>
#include <iterator>
#include <unordered_map>
#include <unordered_set>

#include "core/base/text.h"
#include "robot/sqlite_statement.h"

namespace {

// Step 1: submissions with the calls each log worked (one text of calls
// apart by blanks: a table row per call cost every upload hundreds of index
// writes), the check runs.
const char kSchema[] = R"(
CREATE TABLE submissions(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  call TEXT NOT NULL,
  received INTEGER NOT NULL,
  late INTEGER NOT NULL,
  sha256 TEXT NOT NULL,
  size INTEGER NOT NULL,
  file_name TEXT NOT NULL,
  email TEXT NOT NULL,
  format TEXT NOT NULL,
  category TEXT NOT NULL,
  category_text TEXT NOT NULL,
  lines_read INTEGER NOT NULL,
  lines_unreadable INTEGER NOT NULL,
  claimed_score INTEGER,
  computed_score INTEGER,
  warnings TEXT NOT NULL,
  worked TEXT NOT NULL);
CREATE INDEX submissions_by_call ON submissions(call, id);
CREATE TABLE check_runs(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  at INTEGER NOT NULL,
  logs INTEGER NOT NULL,
  folder TEXT NOT NULL);
)";

// Step 2: the logs of a call count in the order their uploads arrived
// (an upload judged longer is stored later), logs held for the sponsor, and
// each call's resubmission key, hashed.
const char kToVersion2[] = R"(
ALTER TABLE submissions ADD COLUMN sequence INTEGER NOT NULL DEFAULT 0;
UPDATE submissions SET sequence = id;
ALTER TABLE submissions ADD COLUMN held INTEGER NOT NULL DEFAULT 0;
ALTER TABLE submissions ADD COLUMN held_why TEXT NOT NULL DEFAULT '';
ALTER TABLE submissions ADD COLUMN accepted INTEGER NOT NULL DEFAULT 0;
CREATE INDEX submissions_in_order ON submissions(call, held, sequence);
CREATE INDEX submissions_by_file ON submissions(sha256);
CREATE TABLE call_keys(
  call TEXT PRIMARY KEY,
  key_hash TEXT NOT NULL);
)";

// Step 3: the live scoreboard's score posts (thinned per call as they come,
// see score_store.cpp), each call's last one, and the calls the sponsor
// blocked from the board.
const char kScorePostsSchema[] = R"(
CREATE TABLE score_posts(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  call TEXT NOT NULL,
  received INTEGER NOT NULL,
  category TEXT NOT NULL,
  category_title TEXT NOT NULL,
  japanese INTEGER NOT NULL,
  continent TEXT NOT NULL,
  district TEXT NOT NULL,
  qsos INTEGER NOT NULL,
  points INTEGER NOT NULL,
  mults INTEGER NOT NULL,
  score INTEGER NOT NULL,
  software TEXT NOT NULL);
CREATE INDEX score_posts_by_call ON score_posts(call, id);
CREATE TABLE score_standings(
  call TEXT PRIMARY KEY,
  post_id INTEGER NOT NULL);
CREATE TABLE blocked_calls(
  call TEXT PRIMARY KEY,
  since INTEGER NOT NULL);
)";

// Step N makes version N of version N - 1; a database is brought up step by
// step in one transaction, every row kept. A released step never changes: a
// new table or column is a new step.
const char* const kMigrations[] = {kSchema, kToVersion2, kScorePostsSchema};

// A later log of the same call that may count: the one it makes not count.
const char kLaterOfCall[] =
    "FROM submissions l WHERE l.call = s.call AND l.held = 0 AND l.sequence > s.sequence";

// A row's columns, with its warnings as `warnings` says: their text where
// one row is shown whole, and in lists of rows at most their count, so that
// a log's warnings are never read again on every view of a list.
std::string Columns(const char* warnings) {
  return std::string(
             "s.id, s.call, s.received, s.late, s.sha256, s.size, s.file_name, s.email, "
             "s.format, s.category, s.category_text, s.lines_read, s.lines_unreadable, "
             "s.claimed_score, s.computed_score, ") +
         warnings +
         ", s.sequence, s.held, s.held_why, s.accepted, "
         "CASE WHEN s.held THEN 0 ELSE IFNULL((SELECT l.id " +
         kLaterOfCall + " ORDER BY l.sequence LIMIT 1), 0) END";
}
const char kWarningsText[] = "s.warnings, NULL";
const char kNoWarnings[] = "NULL, NULL";
// One line each.
const char kWarningsCount[] =
    "NULL, length(s.warnings) - length(replace(s.warnings, char(10), ''))";
// The rows that count, one per call.
const std::string kCounts =
    std::string("s.held = 0 AND NOT EXISTS (SELECT 1 ") + kLaterOfCall + ")";

SubmissionRow RowOf(const Statement& s) {
  SubmissionRow row;
  row.Id = s.Int(0);
  row.Call = s.Text(1);
  row.Received = s.Int(2);
  row.Late = s.Int(3) != 0;
  row.Sha256 = s.Text(4);
  row.Size = s.Int(5);
  row.FileName = s.Text(6);
  row.Email = s.Text(7);
  row.Format = s.Text(8);
  row.Category = s.Text(9);
  row.CategoryText = s.Text(10);
  row.LinesRead = s.Int(11);
  row.LinesUnreadable = s.Int(12);
  row.ClaimedScore = s.MaybeInt(13);
  row.ComputedScore = s.MaybeInt(14);
  row.Warnings = SplitLines(s.Text(15));
  row.WarningCount = row.Warnings.empty() ? s.Int(16) : static_cast<int64_t>(row.Warnings.size());
  row.Sequence = s.Int(17);
  row.Held = s.Int(18) != 0;
  row.HeldWhy = s.Text(19);
  row.Accepted = s.Int(20);
  row.SupersededBy = s.Int(21);
  return row;
}

std::string JoinedLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\n";
  return text;
}

}  // namespace

// A read connection of the pool, for one query.
class SubmissionDb::Lease {
 public:
  explicit Lease(SubmissionDb& db) : db_(db) {
    {
      std::lock_guard<std::mutex> lock(db.readersMutex_);
      if (!db.idleReaders_.empty()) {
        connection_ = db.idleReaders_.back();
        db.idleReaders_.pop_back();
      }
    }
    if (connection_ == nullptr)
      connection_ = OpenDatabase(db.path_, true);
  }
  ~Lease() {
    std::lock_guard<std::mutex> lock(db_.readersMutex_);
    db_.idleReaders_.push_back(connection_);
  }
  Lease(const Lease&) = delete;
  Lease& operator=(const Lease&) = delete;
  sqlite3* Get() const { return connection_; }

 private:
  SubmissionDb& db_;
  sqlite3* connection_ = nullptr;
};

SubmissionDb::SubmissionDb(const std::string& path) : path_(path) {
  writer_ = OpenWriter();
  Statement check(writer_, "PRAGMA quick_check");
  std::string verdict = check.Step() ? check.Text(0) : "";
  if (verdict != "ok")
    throw StorageError("database " + path + " fails its check: " + verdict);
  Statement last(writer_, "SELECT IFNULL(MAX(sequence), 0) FROM submissions");
  last.Step();
  sequence_ = last.Int(0);
}

SubmissionDb::~SubmissionDb() {
  for (sqlite3* reader : idleReaders_)
    sqlite3_close(reader);
  sqlite3_close(writer_);
}

sqlite3* SubmissionDb::OpenWriter() {
  sqlite3* db = OpenDatabase(path_, false);
  try {
    Execute(db, "BEGIN IMMEDIATE");
    Statement version(db, "PRAGMA user_version");
    version.Step();
    const int64_t found = version.Int(0);
    const int64_t latest = static_cast<int64_t>(std::size(kMigrations));
    if (found > latest)
      throw StorageError("database " + path_ + " is of a newer robot (version " +
                         std::to_string(found) + ")");
    for (int64_t step = found + 1; step <= latest; ++step) {
      Execute(db, kMigrations[step - 1]);
      Execute(db, ("PRAGMA user_version = " + std::to_string(step)).c_str());
    }
    Execute(db, "COMMIT");
  } catch (...) {
    sqlite3_close(db);
    throw;
  }
  return db;
}

void SubmissionDb::Insert(SubmissionRow& row, const std::vector<std::string>& workedCalls,
                          const AdmitRule& admit) {
  std::lock_guard<std::mutex> lock(writerMutex_);
  if (writer_ == nullptr)
    writer_ = OpenWriter();
  try {
    Execute(writer_, "BEGIN IMMEDIATE");
    CallStanding standing;
    Statement counted(writer_, "SELECT " + Columns(kNoWarnings) +
                                   " FROM submissions s WHERE s.call = ? AND s.held = 0 "
                                   "ORDER BY s.sequence DESC LIMIT 1");
    counted.Bind(1, row.Call);
    if (counted.Step())
      standing.Counted = RowOf(counted);
    Statement key(writer_, "SELECT key_hash FROM call_keys WHERE call = ?");
    key.Bind(1, row.Call);
    if (key.Step())
      standing.KeyHash = key.Text(0);
    Admission admission = admit(standing);
    row.Held = !admission.HeldWhy.empty();
    row.HeldWhy = admission.HeldWhy;
    Statement insert(
        writer_,
        "INSERT INTO submissions(call, received, late, sha256, size, file_name, email, "
        "format, category, category_text, lines_read, lines_unreadable, "
        "claimed_score, computed_score, warnings, worked, sequence, held, held_why) "
        "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert.Bind(1, row.Call).Bind(2, row.Received).Bind(3, int64_t{row.Late}).Bind(4, row.Sha256);
    insert.Bind(5, row.Size).Bind(6, row.FileName).Bind(7, row.Email).Bind(8, row.Format);
    insert.Bind(9, row.Category).Bind(10, row.CategoryText).Bind(11, row.LinesRead);
    insert.Bind(12, row.LinesUnreadable).Bind(13, row.ClaimedScore).Bind(14, row.ComputedScore);
    std::string worked;
    for (const std::string& call : workedCalls)
      worked += (worked.empty() ? "" : " ") + call;
    insert.Bind(15, JoinedLines(row.Warnings)).Bind(16, worked).Bind(17, row.Sequence);
    insert.Bind(18, int64_t{row.Held}).Bind(19, row.HeldWhy);
    insert.Step();
    const int64_t id = sqlite3_last_insert_rowid(writer_);
    if (!admission.NewKeyHash.empty()) {
      Statement newKey(writer_, "INSERT OR REPLACE INTO call_keys(call, key_hash) VALUES(?, ?)");
      newKey.Bind(1, row.Call).Bind(2, admission.NewKeyHash).Step();
    }
    Execute(writer_, "COMMIT");
    row.Id = id;
  } catch (const StorageError&) {
    // A connection that failed a write is not trusted again: the next upload
    // opens a new one (and fails cleanly while the folder is still unusable).
    sqlite3_close(writer_);
    writer_ = nullptr;
    throw;
  }
}

AcceptOutcome SubmissionDb::Accept(int64_t id, int64_t utcSeconds) {
  std::lock_guard<std::mutex> lock(writerMutex_);
  if (writer_ == nullptr)
    writer_ = OpenWriter();
  try {
    Execute(writer_, "BEGIN IMMEDIATE");
    Statement find(writer_, "SELECT call, held FROM submissions WHERE id = ?");
    find.Bind(1, id);
    AcceptOutcome outcome = !find.Step()       ? AcceptOutcome::kNoSuchLog
                            : find.Int(1) == 0 ? AcceptOutcome::kNotHeld
                                               : AcceptOutcome::kAccepted;
    if (outcome == AcceptOutcome::kAccepted) {
      Statement accept(writer_,
                       "UPDATE submissions SET held = 0, accepted = ?, sequence = ? WHERE id = ?");
      accept.Bind(1, utcSeconds).Bind(2, NextSequence()).Bind(3, id).Step();
      Statement dropKey(writer_, "DELETE FROM call_keys WHERE call = ?");
      dropKey.Bind(1, find.Text(0)).Step();
    }
    Execute(writer_, outcome == AcceptOutcome::kAccepted ? "COMMIT" : "ROLLBACK");
    if (outcome == AcceptOutcome::kAccepted)
      ++acceptances_;
    return outcome;
  } catch (const StorageError&) {
    sqlite3_close(writer_);
    writer_ = nullptr;
    throw;
  }
}

std::optional<SubmissionRow> SubmissionDb::Find(int64_t id) {
  Lease db(*this);
  Statement s(db.Get(), "SELECT " + Columns(kWarningsText) + " FROM submissions s WHERE s.id = ?");
  s.Bind(1, id);
  if (!s.Step())
    return std::nullopt;
  return RowOf(s);
}

std::vector<SubmissionRow> SubmissionDb::Current() {
  Lease db(*this);
  Statement s(db.Get(), "SELECT " + Columns(kNoWarnings) + " FROM submissions s WHERE " + kCounts +
                            " ORDER BY s.call");
  std::vector<SubmissionRow> rows;
  while (s.Step())
    rows.push_back(RowOf(s));
  return rows;
}

std::vector<SubmissionRow> SubmissionDb::History(const std::string& call) {
  Lease db(*this);
  Statement s(db.Get(), "SELECT " + Columns(kWarningsCount) +
                            " FROM submissions s WHERE s.call = ? ORDER BY s.sequence DESC");
  s.Bind(1, call);
  std::vector<SubmissionRow> rows;
  while (s.Step())
    rows.push_back(RowOf(s));
  return rows;
}

std::vector<SubmissionRow> SubmissionDb::OfFile(const std::string& sha256) {
  Lease db(*this);
  Statement s(db.Get(), "SELECT " + Columns(kWarningsCount) +
                            " FROM submissions s WHERE s.sha256 = ? ORDER BY s.id");
  s.Bind(1, sha256);
  std::vector<SubmissionRow> rows;
  while (s.Step())
    rows.push_back(RowOf(s));
  return rows;
}

std::vector<SubmissionRow> SubmissionDb::HeldLogs() {
  Lease db(*this);
  Statement s(db.Get(),
              "SELECT " + Columns(kNoWarnings) + " FROM submissions s WHERE s.held ORDER BY s.id");
  std::vector<SubmissionRow> rows;
  while (s.Step())
    rows.push_back(RowOf(s));
  return rows;
}

std::string SubmissionDb::KeyHashOf(const std::string& call) {
  Lease db(*this);
  Statement s(db.Get(), "SELECT key_hash FROM call_keys WHERE call = ?");
  s.Bind(1, call);
  return s.Step() ? s.Text(0) : "";
}

std::vector<SubmissionRow> SubmissionDb::All() {
  Lease db(*this);
  Statement s(db.Get(), "SELECT " + Columns(kWarningsCount) + " FROM submissions s ORDER BY s.id");
  std::vector<SubmissionRow> rows;
  while (s.Step())
    rows.push_back(RowOf(s));
  return rows;
}

std::vector<MissingCall> SubmissionDb::Missing(int minLogs) {
  Lease db(*this);
  Statement last(db.Get(), "SELECT IFNULL(MAX(id), 0) FROM submissions");
  last.Step();
  const auto version = std::make_tuple(last.Int(0), acceptances_.load(), minLogs);
  {
    std::lock_guard<std::mutex> lock(missingMutex_);
    if (missingOf_ == version)
      return missing_;
  }
  std::unordered_set<std::string> sent;
  std::unordered_map<std::string, int> logsHolding;
  Statement s(db.Get(),
              "SELECT s.call, " + kCounts + ", s.worked FROM submissions s WHERE NOT s.held");
  while (s.Step()) {
    sent.insert(s.Text(0));
    if (s.Int(1) != 0) {
      for (const std::string& call : SplitWords(s.Text(2)))
        ++logsHolding[call];
    }
  }
  std::vector<MissingCall> rows;
  for (const auto& [call, logs] : logsHolding) {
    if (logs >= minLogs && !sent.count(call))
      rows.push_back({call, logs});
  }
  std::sort(rows.begin(), rows.end(), [](const MissingCall& a, const MissingCall& b) {
    return a.Logs != b.Logs ? a.Logs > b.Logs : a.Call < b.Call;
  });
  std::lock_guard<std::mutex> lock(missingMutex_);
  missingOf_ = version;
  missing_ = rows;
  return rows;
}

int64_t SubmissionDb::RecordCheckRun(int64_t at, int logs, const std::string& folder) {
  std::lock_guard<std::mutex> lock(writerMutex_);
  if (writer_ == nullptr)
    writer_ = OpenWriter();
  Statement insert(writer_, "INSERT INTO check_runs(at, logs, folder) VALUES(?, ?, ?)");
  insert.Bind(1, at).Bind(2, int64_t{logs}).Bind(3, folder).Step();
  return sqlite3_last_insert_rowid(writer_);
}

std::optional<CheckRunRow> SubmissionDb::LastCheckRun() {
  Lease db(*this);
  Statement s(db.Get(), "SELECT id, at, logs, folder FROM check_runs ORDER BY id DESC LIMIT 1");
  if (!s.Step())
    return std::nullopt;
  return CheckRunRow{s.Int(0), s.Int(1), static_cast<int>(s.Int(2)), s.Text(3)};
}
