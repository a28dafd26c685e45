#include "files/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "core/base/input_error.h"

std::string FullPath(const std::string& path) {
  std::error_code failed;
  std::filesystem::path full = std::filesystem::absolute(path, failed);
  if (failed || path.empty())
    throw InputError("cannot use the path " + path);
  std::string text = full.lexically_normal().string();
  // As Windows gives a folder: without the separator at its end.
  if (text.size() > 1 && text.back() == '/')
    text.pop_back();
  return text;
}

PathKind KindOf(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0)
    return PathKind::kMissing;
  if (S_ISDIR(status.st_mode))
    return PathKind::kFolder;
  return S_ISREG(status.st_mode) ? PathKind::kFile : PathKind::kDevice;
}

bool SameFile(const std::string& a, const std::string& b) {
  if (a == b)
    return true;
  struct stat x {
  }, y{};
  return stat(a.c_str(), &x) == 0 && stat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev &&
         x.st_ino == y.st_ino;
}

unsigned long long LastWriteTime(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0)
    return 0;
  return static_cast<unsigned long long>(status.st_mtim.tv_sec) * 1000000000ULL +
         static_cast<unsigned long long>(status.st_mtim.tv_nsec);
}

bool CanWriteExisting(const std::string& path) {
  int file = open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
  if (file < 0)
    return false;
  close(file);
  return true;
}

namespace {

std::string ReadRest(int file) {
  std::string bytes;
  char buffer[65536];
  ssize_t got = 0;
  while ((got = read(file, buffer, sizeof buffer)) > 0)
    bytes.append(buffer, static_cast<size_t>(got));
  return bytes;
}

}  // namespace

bool ReadShared(const std::string& path, std::string& bytes) {
  int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0)
    return false;
  bytes = ReadRest(file);
  close(file);
  return true;
}

void MakeFolders(const std::string& path) {
  std::error_code ignored;  // the kind afterwards says whether it worked
  std::filesystem::create_directories(path, ignored);
  if (KindOf(path) != PathKind::kFolder)
    throw std::runtime_error("cannot make the folder " + path);
}

std::string SystemPath(const std::string& relative) {
  std::string path = relative;
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::string InFolder(const std::string& folder, const std::string& name) {
  return folder + (folder.empty() || folder.back() != '/' ? "/" : "") + name;
}

CurrentFolder::CurrentFolder(const std::string& path) : previous_(FullPath(".")) {
  if (chdir(path.c_str()) != 0)
    throw std::runtime_error("cannot work in the folder " + path);
}

CurrentFolder::~CurrentFolder() {
  if (chdir(previous_.c_str()) != 0) {
    // Nowhere to go back to: the run's paths are full ones.
  }
}

struct GrowingFile::Source {
  int File = -1;
  ~Source() {
    if (File >= 0)
      close(File);
  }
};

GrowingFile::GrowingFile() = default;
GrowingFile::~GrowingFile() = default;

bool GrowingFile::Open(const std::string& path) {
  source_ = std::make_unique<Source>();
  source_->File = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  return source_->File >= 0;
}

std::string GrowingFile::ReadNew() {
  return source_ && source_->File >= 0 ? ReadRest(source_->File) : std::string();
}
