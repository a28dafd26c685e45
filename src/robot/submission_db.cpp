#include "submission_db.h"

#include <sqlite3.h>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "core/base/text.h"

namespace {

// Version 1: submissions with the calls each log worked (one text of calls
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
PRAGMA user_version = 1;
)";

// A row's columns, with its warnings as `warnings` says: their text where
// one row is shown whole, and in lists of rows at most their count, so that
// a log's warnings are never read again on every view of a list.
std::string Columns(const char* warnings) {
  return std::string(
             "s.id, s.call, s.received, s.late, s.sha256, s.size, s.file_name, s.email, "
             "s.format, s.category, s.category_text, s.lines_read, s.lines_unreadable, "
             "s.claimed_score, s.computed_score, ") +
         warnings +
         ", (SELECT IFNULL(MIN(l.id), 0) FROM submissions l WHERE l.call = s.call AND l.id > "
         "s.id)";
}
const char kWarningsText[] = "s.warnings, NULL";
const char kNoWarnings[] = "NULL, NULL";
// One line each.
const char kWarningsCount[] =
    "NULL, length(s.warnings) - length(replace(s.warnings, char(10), ''))";

StorageError Failure(sqlite3* db, const std::string& what) {
  return StorageError("database: " + what + ": " + (db ? sqlite3_errmsg(db) : "out of memory"));
}

void Execute(sqlite3* db, const char* sql) {
  char* message = nullptr;
  if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
    std::string text = message ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    throw StorageError(std::string("database: ") + text);
  }
}

class Statement {
 public:
  Statement(sqlite3* db, const std::string& sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK)
      throw Failure(db, "prepare");
  }
  ~Statement() { sqlite3_finalize(statement_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& Bind(int index, int64_t value) {
    Check(sqlite3_bind_int64(statement_, index, value));
    return *this;
  }
  Statement& Bind(int index, const std::string& value) {
    Check(sqlite3_bind_text(statement_, index, value.data(), static_cast<int>(value.size()),
                            SQLITE_TRANSIENT));
    return *this;
  }
  Statement& Bind(int index, const std::optional<int64_t>& value) {
    Check(value ? sqlite3_bind_int64(statement_, index, *value)
                : sqlite3_bind_null(statement_, index));
    return *this;
  }
  void Reset() { sqlite3_reset(statement_); }
  // True while there is a row to read.
  bool Step() {
    int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW)
      return true;
    if (result != SQLITE_DONE)
      throw Failure(db_, "step");
    return false;
  }
  int64_t Int(int column) const { return sqlite3_column_int64(statement_, column); }
  std::optional<int64_t> MaybeInt(int column) const {
    if (sqlite3_column_type(statement_, column) == SQLITE_NULL)
      return std::nullopt;
    return Int(column);
  }
  std::string Text(int column) const {
    const unsigned char* text = sqlite3_column_text(statement_, column);
    return text ? std::string(reinterpret_cast<const char*>(text),
                              static_cast<size_t>(sqlite3_column_bytes(statement_, column)))
                : std::string();
  }

 private:
  void Check(int result) {
    if (result != SQLITE_OK)
      throw Failure(db_, "bind");
  }
  sqlite3* db_;
  sqlite3_stmt* statement_ = nullptr;
};

sqlite3* Open(const std::string& path, bool readOnly) {
  sqlite3* db = nullptr;
  int flags = SQLITE_OPEN_NOMUTEX |
              (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
    StorageError error = Failure(db, "open " + path);
    sqlite3_close(db);
    throw error;
  }
  try {
    sqlite3_busy_timeout(db, 10000);
    sqlite3_extended_result_codes(db, 1);
    if (!readOnly) {
      // WAL lets pages be read while a log is stored; FULL syncs the WAL at
      // every commit, so that a receipt survives a power loss too.
      Execute(db,
              "PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL; PRAGMA foreign_keys = ON;");
    }
  } catch (...) {
    sqlite3_close(db);
    throw;
  }
  return db;
}

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
  row.SupersededBy = s.Int(17);
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
      connection_ = Open(db.path_, true);
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
}

SubmissionDb::~SubmissionDb() {
  for (sqlite3* reader : idleReaders_)
    sqlite3_close(reader);
  sqlite3_close(writer_);
}

sqlite3* SubmissionDb::OpenWriter() {
  sqlite3* db = Open(path_, false);
  try {
    Execute(db, "BEGIN IMMEDIATE");
    Statement version(db, "PRAGMA user_version");
    version.Step();
    if (version.Int(0) == 0)
      Execute(db, kSchema);
    else if (version.Int(0) != 1)
      throw StorageError("database " + path_ + " is of a newer robot (version " +
                         std::to_string(version.Int(0)) + ")");
    Execute(db, "COMMIT");
  } catch (...) {
    sqlite3_close(db);
    throw;
  }
  return db;
}

int64_t SubmissionDb::Insert(const SubmissionRow& row,
                             const std::vector<std::string>& workedCalls) {
  std::lock_guard<std::mutex> lock(writerMutex_);
  if (writer_ == nullptr)
    writer_ = OpenWriter();
  try {
    Execute(writer_, "BEGIN IMMEDIATE");
    Statement insert(
        writer_,
        "INSERT INTO submissions(call, received, late, sha256, size, file_name, email, "
        "format, category, category_text, lines_read, lines_unreadable, "
        "claimed_score, computed_score, warnings, worked) "
        "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert.Bind(1, row.Call).Bind(2, row.Received).Bind(3, int64_t{row.Late}).Bind(4, row.Sha256);
    insert.Bind(5, row.Size).Bind(6, row.FileName).Bind(7, row.Email).Bind(8, row.Format);
    insert.Bind(9, row.Category).Bind(10, row.CategoryText).Bind(11, row.LinesRead);
    insert.Bind(12, row.LinesUnreadable).Bind(13, row.ClaimedScore).Bind(14, row.ComputedScore);
    std::string worked;
    for (const std::string& call : workedCalls)
      worked += (worked.empty() ? "" : " ") + call;
    insert.Bind(15, JoinedLines(row.Warnings)).Bind(16, worked);
    insert.Step();
    int64_t id = sqlite3_last_insert_rowid(writer_);
    Execute(writer_, "COMMIT");
    return id;
  } catch (const StorageError&) {
    // A connection that failed a write is not trusted again: the next upload
    // opens a new one (and fails cleanly while the folder is still unusable).
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
  Statement s(db.Get(), "SELECT " + Columns(kNoWarnings) +
                            " FROM submissions s WHERE s.id = (SELECT MAX(l.id) FROM submissions "
                            "l WHERE l.call = s.call) ORDER BY s.call");
  std::vector<SubmissionRow> rows;
  while (s.Step())
    rows.push_back(RowOf(s));
  return rows;
}

std::vector<SubmissionRow> SubmissionDb::History(const std::string& call) {
  Lease db(*this);
  Statement s(db.Get(), "SELECT " + Columns(kWarningsCount) +
                            " FROM submissions s WHERE s.call = ? ORDER BY s.id DESC");
  s.Bind(1, call);
  std::vector<SubmissionRow> rows;
  while (s.Step())
    rows.push_back(RowOf(s));
  return rows;
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
  const int64_t lastId = last.Int(0);
  {
    std::lock_guard<std::mutex> lock(missingMutex_);
    if (missingOf_ == std::make_pair(lastId, minLogs))
      return missing_;
  }
  std::unordered_set<std::string> sent;
  std::unordered_map<std::string, int> logsHolding;
  Statement s(db.Get(),
              "SELECT s.call, s.id = (SELECT MAX(l.id) FROM submissions l WHERE l.call = s.call), "
              "s.worked FROM submissions s");
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
  missingOf_ = {lastId, minLogs};
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
