// The robot's data folder: its user's alone (it holds e-mail addresses and
// the entrants' logs), and used by one robot at a time, since each removes
// the others' unfinished files when it starts.
#pragma once

#include <string>

// Makes `folder` (0700) when it is missing, and closes it to other users when
// it is not; from then on every file and folder this process makes is its
// user's alone. Throws std::runtime_error when the folder cannot be made,
// written or closed.
void MakePrivateDataFolder(const std::string& folder);

// Holds a lock on `folder`/robot.lock, with this process's id in it, until
// destroyed (or the process ends, however it ends).
class DataFolderLock {
 public:
  // Throws std::runtime_error naming the process that holds the lock already.
  explicit DataFolderLock(const std::string& folder);
  ~DataFolderLock();
  DataFolderLock(const DataFolderLock&) = delete;
  DataFolderLock& operator=(const DataFolderLock&) = delete;

 private:
  int fd_ = -1;
};
