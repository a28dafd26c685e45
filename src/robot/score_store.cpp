#include "robot/score_store.h"

#include <sqlite3.h>

#include "robot/sqlite_statement.h"

namespace {

const char kColumns[] =
    "s.id, s.call, s.received, s.category, s.category_title, s.japanese, s.continent, "
    "s.district, s.qsos, s.points, s.mults, s.score, s.software";

ScorePostRow RowOf(const Statement& s) {
  ScorePostRow row;
  row.Id = s.Int(0);
  row.Call = s.Text(1);
  row.Received = s.Int(2);
  row.Category = s.Text(3);
  row.CategoryTitle = s.Text(4);
  row.Japanese = s.Int(5) != 0;
  row.Continent = s.Text(6);
  row.District = s.Text(7);
  row.Qsos = s.Int(8);
  row.Points = s.Int(9);
  row.Mults = s.Int(10);
  row.Score = s.Int(11);
  row.Software = s.Text(12);
  return row;
}

// Rolled back unless committed.
class Transaction {
 public:
  explicit Transaction(sqlite3* db) : db_(db) { Execute(db_, "BEGIN IMMEDIATE"); }
  ~Transaction() {
    if (!done_)
      sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void Commit() {
    Execute(db_, "COMMIT");
    done_ = true;
  }

 private:
  sqlite3* db_;
  bool done_ = false;
};

bool IsBlocked(sqlite3* db, const std::string& call) {
  Statement s(db, "SELECT 1 FROM blocked_calls WHERE call = ?");
  s.Bind(1, call);
  return s.Step();
}

std::optional<int64_t> LastPostTime(sqlite3* db, const std::string& call) {
  Statement s(db,
              "SELECT s.received FROM score_standings t JOIN score_posts s ON s.id = t.post_id "
              "WHERE t.call = ?");
  s.Bind(1, call);
  if (!s.Step())
    return std::nullopt;
  return s.Int(0);
}

// A post that came less than a step after the one before it was only the
// standing until the next post: it goes. Beyond the points kept, the oldest go.
void ThinHistory(sqlite3* db, const std::string& call) {
  Statement newest(db,
                   "SELECT id, received FROM score_posts WHERE call = ? ORDER BY id DESC LIMIT 3");
  newest.Bind(1, call);
  std::vector<std::pair<int64_t, int64_t>> rows;  // id, received
  while (newest.Step())
    rows.emplace_back(newest.Int(0), newest.Int(1));
  if (rows.size() == 3 && rows[1].second - rows[2].second < kHistoryStepSeconds)
    Statement(db, "DELETE FROM score_posts WHERE id = ?").Bind(1, rows[1].first).Step();
  Statement oldest(db,
                   "DELETE FROM score_posts WHERE call = ?1 AND id <= (SELECT id FROM score_posts "
                   "WHERE call = ?1 ORDER BY id DESC LIMIT 1 OFFSET ?2)");
  oldest.Bind(1, call).Bind(2, int64_t{kHistoryPoints}).Step();
}

}  // namespace

ScoreStore::ScoreStore(const std::string& path) : path_(path) {
  Reopen();
}

ScoreStore::~ScoreStore() {
  sqlite3_close(db_);
}

void ScoreStore::Reopen() {
  if (db_ == nullptr)
    db_ = OpenDatabase(path_, false);
}

PostTaken ScoreStore::Insert(const ScorePostRow& row, int64_t minimumGap) {
  std::lock_guard<std::mutex> lock(mutex_);
  Reopen();
  try {
    Transaction transaction(db_);
    if (IsBlocked(db_, row.Call))
      return PostTaken::kBlocked;
    std::optional<int64_t> last = LastPostTime(db_, row.Call);
    if (last && row.Received - *last < minimumGap)
      return PostTaken::kTooSoon;
    Statement insert(db_,
                     "INSERT INTO score_posts(call, received, category, category_title, japanese, "
                     "continent, district, qsos, points, mults, score, software) "
                     "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert.Bind(1, row.Call).Bind(2, row.Received).Bind(3, row.Category);
    insert.Bind(4, row.CategoryTitle).Bind(5, int64_t{row.Japanese}).Bind(6, row.Continent);
    insert.Bind(7, row.District).Bind(8, row.Qsos).Bind(9, row.Points).Bind(10, row.Mults);
    insert.Bind(11, row.Score).Bind(12, row.Software).Step();
    Statement standing(db_, "INSERT OR REPLACE INTO score_standings(call, post_id) VALUES(?, ?)");
    standing.Bind(1, row.Call).Bind(2, int64_t{sqlite3_last_insert_rowid(db_)}).Step();
    ThinHistory(db_, row.Call);
    transaction.Commit();
  } catch (const StorageError&) {
    // A connection that failed a write is not trusted again.
    sqlite3_close(db_);
    db_ = nullptr;
    throw;
  }
  ++changes_;
  return PostTaken::kStored;
}

void ScoreStore::SetBlocked(const std::string& call, bool blocked, int64_t now) {
  std::lock_guard<std::mutex> lock(mutex_);
  Reopen();
  Statement change(db_, blocked ? "INSERT OR IGNORE INTO blocked_calls(call, since) VALUES(?, ?)"
                                : "DELETE FROM blocked_calls WHERE call = ?");
  change.Bind(1, call);
  if (blocked)
    change.Bind(2, now);
  change.Step();
  ++changes_;
}

std::vector<std::string> ScoreStore::Blocked() {
  std::lock_guard<std::mutex> lock(mutex_);
  Reopen();
  Statement s(db_, "SELECT call FROM blocked_calls ORDER BY call");
  std::vector<std::string> calls;
  while (s.Step())
    calls.push_back(s.Text(0));
  return calls;
}

std::vector<ScorePostRow> ScoreStore::Standings() {
  std::lock_guard<std::mutex> lock(mutex_);
  Reopen();
  Statement s(db_, std::string("SELECT ") + kColumns +
                       " FROM score_standings t JOIN score_posts s ON s.id = t.post_id "
                       "WHERE t.call NOT IN (SELECT call FROM blocked_calls) ORDER BY s.call");
  std::vector<ScorePostRow> rows;
  while (s.Step())
    rows.push_back(RowOf(s));
  return rows;
}

std::vector<ScorePoint> ScoreStore::History(const std::string& call) {
  std::lock_guard<std::mutex> lock(mutex_);
  Reopen();
  Statement s(db_, "SELECT received, score FROM score_posts WHERE call = ? ORDER BY id");
  s.Bind(1, call);
  std::vector<ScorePoint> points;
  while (s.Step())
    points.push_back({s.Int(0), s.Int(1)});
  return points;
}
