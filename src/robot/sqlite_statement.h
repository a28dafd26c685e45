// What the robot's stores share of SQLite: a connection opened the robot's
// way, a statement with its bindings, and failures as StorageError.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "robot/storage_error.h"

struct sqlite3;
struct sqlite3_stmt;

StorageError DatabaseFailure(sqlite3* db, const std::string& what);

// Runs one or more statements without results. Throws StorageError.
void Execute(sqlite3* db, const char* sql);

// A writer in WAL mode with synchronous=FULL, or a read-only connection; both
// wait up to 10 s for a lock. Throws StorageError.
sqlite3* OpenDatabase(const std::string& path, bool readOnly);

class Statement {
 public:
  Statement(sqlite3* db, const std::string& sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& Bind(int index, int64_t value);
  Statement& Bind(int index, const std::string& value);
  Statement& Bind(int index, const std::optional<int64_t>& value);
  void Reset();
  // True while there is a row to read.
  bool Step();
  int64_t Int(int column) const;
  std::optional<int64_t> MaybeInt(int column) const;
  std::string Text(int column) const;

 private:
  void Check(int result);
  sqlite3* db_;
  sqlite3_stmt* statement_ = nullptr;
};
