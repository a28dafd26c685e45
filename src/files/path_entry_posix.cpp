#include <sys/stat.h>

#include <cerrno>

#include "files/path_entry.h"

EntryKind EntryAt(const std::string& path) {
  struct stat entry;
  if (lstat(path.c_str(), &entry) != 0)
    return errno == ENOENT || errno == ENOTDIR ? EntryKind::kMissing : EntryKind::kOther;
  if (S_ISLNK(entry.st_mode))
    return EntryKind::kLink;
  if (S_ISDIR(entry.st_mode))
    return EntryKind::kFolder;
  if (!S_ISREG(entry.st_mode))
    return EntryKind::kOther;
  return entry.st_nlink > 1 ? EntryKind::kLink : EntryKind::kFile;
}
