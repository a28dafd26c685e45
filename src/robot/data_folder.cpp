#include "robot/data_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "core/base/text.h"

namespace {

std::runtime_error Failure(const std::string& what) {
  return std::runtime_error(what + ": " + strerror(errno));
}

// The id written by the robot that holds the lock, or "unknown".
std::string HolderOf(int fd) {
  char text[32] = {};
  ssize_t got = pread(fd, text, sizeof text - 1, 0);
  std::string pid = got > 0 ? Trim(std::string(text, static_cast<size_t>(got))) : "";
  return !pid.empty() && pid.find_first_not_of("0123456789") == std::string::npos ? pid : "unknown";
}

}  // namespace

void MakePrivateDataFolder(const std::string& folder) {
  umask(077);
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
    throw Failure("cannot make " + folder);
  // Said plainly here rather than by the first file that cannot be made.
  if (access(folder.c_str(), W_OK) != 0)
    throw Failure("the data folder " + folder + " cannot be written");
  struct stat info;
  if (stat(folder.c_str(), &info) != 0)
    throw Failure("cannot look at " + folder);
  if (!S_ISDIR(info.st_mode))
    throw std::runtime_error("the data folder " + folder + " is not a folder");
  if ((info.st_mode & 077) != 0 && chmod(folder.c_str(), 0700) != 0)
    throw Failure("cannot close the data folder " + folder + " to other users");
}

DataFolderLock::DataFolderLock(const std::string& folder) {
  const std::string path = folder + "/robot.lock";
  fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd_ < 0)
    throw Failure("cannot open " + path);
  struct stat info;
  if (fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode) || info.st_nlink != 1) {
    close(fd_);
    throw std::runtime_error(path + " is not a plain file of the robot's: remove it");
  }
  if (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    int error = errno;
    std::string holder = HolderOf(fd_);
    close(fd_);
    errno = error;
    if (error == EWOULDBLOCK) {
      throw std::runtime_error("the data folder " + folder +
                               " is in use by another robot (process " + holder +
                               "): stop that one first");
    }
    throw Failure("cannot lock " + path);
  }
  std::string pid = std::to_string(getpid()) + "\n";
  if (ftruncate(fd_, 0) != 0 ||
      pwrite(fd_, pid.data(), pid.size(), 0) != static_cast<ssize_t>(pid.size())) {
    int error = errno;
    close(fd_);
    errno = error;
    throw Failure("cannot write " + path);
  }
}

DataFolderLock::~DataFolderLock() {
  close(fd_);
}
