#include "robot/sqlite_statement.h"

#include <sqlite3.h>

StorageError DatabaseFailure(sqlite3* db, const std::string& what) {
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

sqlite3* OpenDatabase(const std::string& path, bool readOnly) {
  sqlite3* db = nullptr;
  int flags = SQLITE_OPEN_NOMUTEX |
              (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
    StorageError error = DatabaseFailure(db, "open " + path);
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

Statement::Statement(sqlite3* db, const std::string& sql) : db_(db) {
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK)
    throw DatabaseFailure(db, "prepare");
}

Statement::~Statement() {
  sqlite3_finalize(statement_);
}

Statement& Statement::Bind(int index, int64_t value) {
  Check(sqlite3_bind_int64(statement_, index, value));
  return *this;
}

Statement& Statement::Bind(int index, const std::string& value) {
  Check(sqlite3_bind_text(statement_, index, value.data(), static_cast<int>(value.size()),
                          SQLITE_TRANSIENT));
  return *this;
}

Statement& Statement::Bind(int index, const std::optional<int64_t>& value) {
  Check(value ? sqlite3_bind_int64(statement_, index, *value)
              : sqlite3_bind_null(statement_, index));
  return *this;
}

void Statement::Reset() {
  sqlite3_reset(statement_);
}

bool Statement::Step() {
  int result = sqlite3_step(statement_);
  if (result == SQLITE_ROW)
    return true;
  if (result != SQLITE_DONE)
    throw DatabaseFailure(db_, "step");
  return false;
}

int64_t Statement::Int(int column) const {
  return sqlite3_column_int64(statement_, column);
}

std::optional<int64_t> Statement::MaybeInt(int column) const {
  if (sqlite3_column_type(statement_, column) == SQLITE_NULL)
    return std::nullopt;
  return Int(column);
}

std::string Statement::Text(int column) const {
  const unsigned char* text = sqlite3_column_text(statement_, column);
  return text ? std::string(reinterpret_cast<const char*>(text),
                            static_cast<size_t>(sqlite3_column_bytes(statement_, column)))
              : std::string();
}

void Statement::Check(int result) {
  if (result != SQLITE_OK)
    throw DatabaseFailure(db_, "bind");
}
