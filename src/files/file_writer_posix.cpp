#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "files/file_writer.h"
#include "files/path_entry.h"

namespace {

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos)
    return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// A new file that no one else can have opened: O_EXCL fails on anything at
// the name, a link included.
int CreateTemporary(const std::string& folder, std::string& name) {
  static std::mt19937 random{std::random_device{}()};
  static const char kDigits[] = "0123456789abcdef";
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = folder + "/.dkz";
    for (int i = 0; i < 8; ++i)
      name += kDigits[random() % 16];
    name += ".tmp";
    int file = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (file >= 0 || errno != EEXIST)
      return file;
  }
  return -1;
}

bool WriteAll(int file, const std::string& bytes) {
  for (size_t done = 0; done < bytes.size();) {
    ssize_t written = write(file, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR)
      continue;
    if (written == 0)
      errno = EIO;  // no progress and no error: the disk is full
    if (written <= 0)
      return false;
    done += static_cast<size_t>(written);
  }
  return true;
}

}  // namespace

bool WriteFileWhole(const std::string& path, const std::string& bytes, std::string& reason) {
  std::string refusal = EntryRefusal(EntryAt(path));
  if (!refusal.empty()) {
    reason = "it is " + refusal;
    return false;
  }
  const std::string folder = FolderOf(path);
  std::string temporary;
  int file = CreateTemporary(folder, temporary);
  if (file < 0) {
    reason = std::strerror(errno);
    return false;
  }
  // A replaced file keeps who may read it.
  struct stat old;
  bool complete = (lstat(path.c_str(), &old) != 0 || fchmod(file, old.st_mode & 07777) == 0) &&
                  WriteAll(file, bytes) && fsync(file) == 0;
  int error = complete ? 0 : errno;
  if (close(file) != 0 && complete) {
    complete = false;
    error = errno;
  }
  if (complete) {
    // Looked at again: what came in the meantime is not replaced either.
    refusal = EntryRefusal(EntryAt(path));
    complete = refusal.empty() && rename(temporary.c_str(), path.c_str()) == 0;
    error = complete ? 0 : errno;
  }
  if (!complete) {
    unlink(temporary.c_str());
    reason = !refusal.empty() ? "it is " + refusal : std::strerror(error);
    return false;
  }
  int directory = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (directory >= 0) {  // so that the rename itself reaches the disk
    fsync(directory);
    close(directory);
  }
  return true;
}

bool WriteNewFile(const std::string& path, const std::string& bytes, std::string& reason) {
  int file = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (file < 0) {
    reason = errno == EEXIST ? "something is there already" : std::strerror(errno);
    return false;
  }
  bool complete = WriteAll(file, bytes);
  int error = complete ? 0 : errno;
  if (close(file) != 0 && complete) {
    complete = false;
    error = errno;
  }
  if (!complete) {
    unlink(path.c_str());  // made just now: a part of it helps no one
    reason = std::strerror(error);
  }
  return complete;
}
