#include "robot/blob_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "robot/sha256.h"
#include "robot/sponsor_token.h"

namespace {

const char kTempPrefix[] = ".incoming-";

StorageError Failure(const std::string& what, const std::string& path) {
  return StorageError("cannot " + what + " " + path + ": " + strerror(errno));
}

bool IsBlobName(const std::string& name) {
  return name.size() == 64 && name.find_first_not_of("0123456789abcdef") == std::string::npos;
}

void WriteAll(int fd, const std::string& bytes, const std::string& path) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR)
      continue;
    if (wrote <= 0)
      throw Failure("write", path);
    done += static_cast<size_t>(wrote);
  }
}

// A failed fsync is never retried: the kernel may have dropped the pages.
void SyncFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    throw Failure("open", folder);
  int synced = fsync(fd);
  int error = errno;
  close(fd);
  errno = error;
  if (synced != 0)
    throw Failure("sync", folder);
}

}  // namespace

BlobStore::BlobStore(std::string folder) : folder_(std::move(folder)) {
  if (mkdir(folder_.c_str(), 0700) != 0 && errno != EEXIST)
    throw Failure("make", folder_);
  DIR* dir = opendir(folder_.c_str());
  if (dir == nullptr)
    throw Failure("read", folder_);
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name.compare(0, sizeof kTempPrefix - 1, kTempPrefix) == 0 &&
        unlinkat(dirfd(dir), name.c_str(), 0) == 0)
      ++staleRemoved_;
  }
  closedir(dir);
}

std::string BlobStore::PathOf(const std::string& sha256) const {
  if (!IsBlobName(sha256))
    throw StorageError("not a stored log's name: " + sha256.substr(0, 64));
  return folder_ + "/" + sha256;
}

void BlobStore::Store(const std::string& sha256, const std::string& bytes) const {
  const std::string path = PathOf(sha256);
  const std::string temp = folder_ + "/" + kTempPrefix + RandomToken().substr(0, 16);
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0)
    throw Failure("make", temp);
  try {
    WriteAll(fd, bytes, temp);
    if (fsync(fd) != 0)
      throw Failure("sync", temp);
    int closed = close(fd);
    fd = -1;
    if (closed != 0)
      throw Failure("close", temp);
    // link() never replaces: a copy already there stays, if it is good.
    if (link(temp.c_str(), path.c_str()) != 0) {
      if (errno != EEXIST)
        throw Failure("store", path);
      bool good = Fetch(sha256).Problem.empty();
      if (!good && rename(temp.c_str(), path.c_str()) != 0)
        throw Failure("replace the damaged", path);
      if (!good) {
        std::lock_guard<std::mutex> lock(problemsMutex_);
        problems_.erase(sha256);
      }
    }
    unlink(temp.c_str());
    SyncFolder(folder_);
  } catch (...) {
    if (fd >= 0)
      close(fd);
    unlink(temp.c_str());
    throw;
  }
}

StoredFile BlobStore::Fetch(const std::string& sha256) const {
  const std::string path = PathOf(sha256);
  StoredFile file;
  int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0 && (errno == EMFILE || errno == ENFILE || errno == ENOMEM))
    throw Failure("open", path);
  struct stat info;
  if (fd < 0) {
    file.Problem = errno == ENOENT ? "missing" : std::string("cannot be read: ") + strerror(errno);
  } else if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    file.Problem = "not a plain file";
  } else {
    Sha256 hash;
    char buffer[65536];
    ssize_t got;
    while ((got = read(fd, buffer, sizeof buffer)) != 0) {
      if (got < 0 && errno == EINTR)
        continue;
      if (got < 0) {
        file.Problem = std::string("cannot be read: ") + strerror(errno);
        break;
      }
      file.Bytes.append(buffer, static_cast<size_t>(got));
      hash.Add(buffer, static_cast<size_t>(got));
    }
    if (file.Problem.empty() && hash.HexDigest() != sha256)
      file.Problem = "altered: its bytes are no longer those received";
  }
  if (fd >= 0)
    close(fd);
  std::lock_guard<std::mutex> lock(problemsMutex_);
  if (file.Problem.empty()) {
    problems_.erase(sha256);
  } else {
    file.Bytes.clear();
    problems_[sha256] = file.Problem;
  }
  return file;
}

std::string BlobStore::Read(const std::string& sha256) const {
  StoredFile file = Fetch(sha256);
  if (!file.Problem.empty())
    throw StorageError("the stored log " + PathOf(sha256) + " is " + file.Problem);
  return file.Bytes;
}

std::map<std::string, std::string> BlobStore::Problems() const {
  std::lock_guard<std::mutex> lock(problemsMutex_);
  return problems_;
}

std::vector<std::string> BlobStore::List() const {
  std::vector<std::string> names;
  DIR* dir = opendir(folder_.c_str());
  if (dir == nullptr)
    throw Failure("read", folder_);
  while (dirent* entry = readdir(dir)) {
    if (IsBlobName(entry->d_name))
      names.push_back(entry->d_name);
  }
  closedir(dir);
  return names;
}
