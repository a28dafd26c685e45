#include "files/path_entry_win.h"

#include <windows.h>

#include "win/unique_handle.h"
#include "win/wide_text.h"

namespace {

FileHandle OpenForQuery(const std::wstring& path, DWORD flags) {
  return FileHandle(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr));
}

// Where the system says an open handle leads; empty when it will not say.
std::wstring FinalPath(const FileHandle& file) {
  wchar_t buffer[MAX_PATH * 2] = {};
  DWORD length = GetFinalPathNameByHandleW(file.Get(), buffer, MAX_PATH * 2, VOLUME_NAME_DOS);
  return length > 0 && length < MAX_PATH * 2 ? std::wstring(buffer, length) : std::wstring();
}

// Wine shows a POSIX symbolic link to a file as the file itself, and opens it
// even with FILE_FLAG_OPEN_REPARSE_POINT; only the end of the path tells it:
// the file then lies elsewhere than in its folder under its own name.
bool LeadsElsewhere(const std::wstring& full, const FileHandle& file) {
  std::wstring path = full;
  // Only a short name ("RESULT~1.CSV") differs from the name the file shows;
  // the long one is looked up only then, as the lookup lists the folder.
  if (path.find(L'~') != std::wstring::npos) {
    DWORD length = GetLongPathNameW(full.c_str(), nullptr, 0);
    if (length > 0) {
      path.assign(length, L'\0');
      path.resize(GetLongPathNameW(full.c_str(), &path[0], length));
    }
  }
  size_t slash = path.find_last_of(L'\\');
  if (slash == std::wstring::npos)
    return false;
  std::wstring folderPath = path.substr(0, slash);
  if (folderPath.size() == 2 && folderPath[1] == L':')
    folderPath += L'\\';  // the drive's root, not its current folder
  FileHandle folder = OpenForQuery(folderPath, 0);
  std::wstring where = FinalPath(file);
  std::wstring expected = folder ? FinalPath(folder) : std::wstring();
  if (where.empty() || expected.empty())
    return false;
  if (expected.back() != L'\\')
    expected += L'\\';
  expected += path.substr(slash + 1);
  return CompareStringOrdinal(where.c_str(), -1, expected.c_str(), -1, TRUE) != CSTR_EQUAL;
}

}  // namespace

std::wstring FullPathWide(const std::wstring& path) {
  DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  std::wstring full(length, L'\0');
  if (length == 0 || GetFullPathNameW(path.c_str(), length, &full[0], nullptr) >= length)
    return L"";
  full.resize(length - 1);
  return full;
}

EntryKind EntryAtWide(const std::wstring& path) {
  const std::wstring full = FullPathWide(path);
  // Windows resolves a device name (NUL, CON, COM1...) in any folder and
  // with any extension to the device itself.
  if (full.empty() || full.compare(0, 4, L"\\\\.\\") == 0)
    return EntryKind::kOther;
  DWORD attributes = GetFileAttributesW(full.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? EntryKind::kMissing
                                                                          : EntryKind::kOther;
  }
  // Wine marks a POSIX link to a folder here, not on the handle.
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
    return EntryKind::kLink;
  FileHandle entry = OpenForQuery(full, FILE_FLAG_OPEN_REPARSE_POINT);
  BY_HANDLE_FILE_INFORMATION information{};
  if (!entry || !GetFileInformationByHandle(entry.Get(), &information))
    return EntryKind::kFile;  // held without sharing: writing will say why
  if ((information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ||
      LeadsElsewhere(full, entry))
    return EntryKind::kLink;
  if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return EntryKind::kFolder;  // its count of names counts its subfolders
  if (GetFileType(entry.Get()) != FILE_TYPE_DISK)
    return EntryKind::kOther;
  return information.nNumberOfLinks > 1 ? EntryKind::kLink : EntryKind::kFile;
}

EntryKind EntryAt(const std::string& path) {
  return EntryAtWide(Widen(path));
}
