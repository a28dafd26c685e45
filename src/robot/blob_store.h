// The logs as they were received, byte for byte, one file each, named by the
// SHA-256 of their bytes: never by a name the sender chose.
#pragma once

#include <string>
#include <vector>

#include "storage_error.h"

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

  // Throws StorageError when the file cannot be read.
  std::string Read(const std::string& sha256) const;

  std::string PathOf(const std::string& sha256) const;
  // The stored hashes, in no particular order.
  std::vector<std::string> List() const;
  // Temporary files removed when the store was opened.
  int StaleRemoved() const { return staleRemoved_; }

 private:
  std::string folder_;
  int staleRemoved_ = 0;
};
