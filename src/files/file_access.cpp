#include "files/file_access.h"

#include "core/base/input_error.h"
#include "files/file_writer.h"
#include "files/path_entry.h"

void RequireFile(const std::string& path, const std::string& shownName) {
  switch (KindOf(path)) {
    case PathKind::kFolder:
      throw InputError(shownName + " is a folder, not a file");
    case PathKind::kDevice:
      throw InputError(shownName + " is the name of a device, not of a file; rename the file");
    case PathKind::kMissing:
    case PathKind::kFile:
      return;
  }
}

MadeFiles ReadMadeFiles(const std::string& folder) {
  const std::string path = InFolder(folder, kMadeFilesName);
  std::string text;
  if (EntryAt(path) == EntryKind::kFile)
    ReadShared(path, text);
  return MadeFiles::Parse(text);
}

bool WriteMadeFiles(const std::string& folder, const MadeFiles& record) {
  std::string reason;
  return WriteFileWhole(InFolder(folder, kMadeFilesName), record.Text(), reason);
}
