#include "files/path_entry.h"

std::string EntryRefusal(EntryKind kind) {
  switch (kind) {
    case EntryKind::kMissing:
    case EntryKind::kFile:
      return "";
    case EntryKind::kFolder:
      return "a folder, not a file";
    case EntryKind::kLink:
      return "a link to another file (a symbolic link, a junction or a second name of a file)";
    case EntryKind::kOther:
      return "not a plain file (a device or the like)";
  }
  return "";
}
