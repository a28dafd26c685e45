#include "check/folder_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

std::string Why(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

// The last name of a path and the folder it stands in.
void Split(const std::string& path, std::string& folder, std::string& name) {
  size_t slash = path.find_last_of('/');
  folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  name = slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string ResolvedPath(const std::string& path) {
  std::string absolute = std::filesystem::absolute(path).lexically_normal().string();
  while (absolute.size() > 1 && absolute.back() == '/')
    absolute.pop_back();
  std::string tail;
  for (std::string head = absolute;;) {
    char resolved[PATH_MAX];
    if (realpath(head.c_str(), resolved) != nullptr) {
      std::string found = resolved;
      return found == "/" ? (tail.empty() ? found : tail) : found + tail;
    }
    std::string folder, name;
    Split(head, folder, name);
    if (folder == head)
      return absolute;
    tail = "/" + name + tail;
    head = folder;
  }
}

bool SameOrInside(const std::string& inner, const std::string& outer) {
  std::string in = ResolvedPath(inner), out = ResolvedPath(outer);
  if (out == "/")
    return true;
  return in.compare(0, out.size(), out) == 0 && (in.size() == out.size() || in[out.size()] == '/');
}

std::string PathIn(const std::string& folder, const std::string& name) {
  return folder + "/" + name;
}

bool NamesIn(const std::string& folder, std::vector<std::string>& names, std::string& why) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) {
    why = Why("cannot read the folder", folder);
    return false;
  }
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..")
      names.push_back(name);
  }
  closedir(dir);
  return true;
}

bool LinkLeadsToFolder(const std::string& path) {
  struct stat target {};
  return stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
}

bool CanRemoveFolderLink(const std::string&) {
  return true;  // unlink removes the link itself
}

bool RemoveEntry(const std::string& path, EntryKind kind, std::string& why) {
  struct stat entry {};
  if (kind == EntryKind::kFolder && (lstat(path.c_str(), &entry) != 0 || S_ISLNK(entry.st_mode)))
    kind = EntryKind::kLink;  // what stands there now is looked at, not what stood
  int result = kind == EntryKind::kFolder ? rmdir(path.c_str()) : unlink(path.c_str());
  if (result == 0)
    return true;
  why = Why("cannot remove", path);
  return false;
}

bool MakeNewFolder(const std::string& path, std::string& why) {
  if (mkdir(path.c_str(), 0777) == 0)
    return true;
  why = Why("cannot make the folder", path);
  return false;
}
