// The logs as they were received, byte for byte, one file each, named by the
// SHA-256 of their bytes: never by a name the sender chose.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "robot/storage_error.h"

// A stored file as read back: its bytes when they still have the SHA-256 it
// is named by, or else what is wrong with it.
struct StoredFile {
  std::string Bytes;
  std::string Problem;  // empty: whole; "missing", "altered: ...", ...
};

class BlobStore {
 public:
  // Makes the folder when missing and removes the temporary files that an
  // interrupted Store left (only those: they have a name of our own).
  // Throws StorageError when the folder cannot be made or read.
  explicit BlobStore(std::string folder);

  // Stores `bytes`, whose SHA-256 is `sha256`, durably: the file and its
  // folder entry are on disk when this returns. A good copy already there
  // is kept. Throws StorageError, leaving no file of its own behind.
  void Store(const std::string& sha256, const std::string& bytes) const;

  // The file of `sha256`, checked against its name. A file that is missing,
  // cannot be read or has other bytes gives its problem, which is kept for
  // the sponsor until the file is found whole again. Throws StorageError only
  // when the process can open no file at all.
  StoredFile Fetch(const std::string& sha256) const;
  // The same for the bytes alone; throws StorageError naming the problem.
  std::string Read(const std::string& sha256) const;
  // The problems found so far, by hash.
  std::map<std::string, std::string> Problems() const;

  std::string PathOf(const std::string& sha256) const;
  // The stored hashes, in no particular order.
  std::vector<std::string> List() const;
  // Temporary files removed when the store was opened.
  int StaleRemoved() const { return staleRemoved_; }

 private:
  std::string folder_;
  int staleRemoved_ = 0;
  mutable std::mutex problemsMutex_;
  mutable std::map<std::string, std::string> problems_;
};
