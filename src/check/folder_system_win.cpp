#include <windows.h>

#include "check/folder_system.h"
#include "win/wide_text.h"

namespace {

// The link kinds whose removal Windows documents as removing the link alone.
// Wine shows a Unix link to a folder as a reparse point with no tag, and
// removes what it points to: such a link is never removed here.
bool IsMicrosoftLink(DWORD tag) {
  return tag == IO_REPARSE_TAG_SYMLINK || tag == IO_REPARSE_TAG_MOUNT_POINT;
}

std::string Why(const std::string& what, const std::string& path) {
  return what + " " + path + " (Windows error " + std::to_string(GetLastError()) + ")";
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (Open())
      CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool Open() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

// Opened for its attributes only; `itself`: the link itself, not its target.
HANDLE OpenEntry(const std::wstring& path, bool itself) {
  return CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING,
                     FILE_FLAG_BACKUP_SEMANTICS | (itself ? FILE_FLAG_OPEN_REPARSE_POINT : 0),
                     nullptr);
}

// "\\?\Z:\a\b" as "Z:\a\b", "\\?\UNC\server\share" as "\\server\share".
std::wstring WithoutPrefix(std::wstring path) {
  if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0)
    return L"\\" + path.substr(7);
  if (path.compare(0, 4, L"\\\\?\\") == 0)
    return path.substr(4);
  return path;
}

// The final path of an open handle; empty when the system gives none.
std::wstring FinalPathOf(HANDLE handle) {
  DWORD length = GetFinalPathNameByHandleW(handle, nullptr, 0, FILE_NAME_NORMALIZED);
  if (length == 0)
    return {};
  std::wstring path(length, L'\0');
  DWORD written = GetFinalPathNameByHandleW(handle, &path[0], length, FILE_NAME_NORMALIZED);
  if (written == 0 || written >= length)
    return {};
  path.resize(written);
  return WithoutPrefix(path);
}

std::wstring FullPathOf(const std::wstring& path) {
  DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  std::wstring full(length, L'\0');
  if (length == 0 || GetFullPathNameW(path.c_str(), length, &full[0], nullptr) >= length)
    return path;
  full.resize(length - 1);
  return full;
}

std::wstring ResolvedWide(const std::wstring& path) {
  std::wstring head = FullPathOf(path);
  while (head.size() > 3 && (head.back() == L'\\' || head.back() == L'/'))
    head.pop_back();
  std::wstring tail;
  for (;;) {
    Handle entry(OpenEntry(head, false));
    if (entry.Open()) {
      std::wstring final = FinalPathOf(entry.Get());
      if (!final.empty())
        return final + tail;
    }
    size_t slash = head.find_last_of(L"\\/");
    if (slash == std::wstring::npos || slash + 1 >= head.size())
      return FullPathOf(path);
    tail = L"\\" + head.substr(slash + 1) + tail;
    head = head.substr(0, slash);
  }
}

bool SameName(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

std::string ResolvedPath(const std::string& path) {
  return Narrow(ResolvedWide(Widen(path)));
}

bool SameOrInside(const std::string& inner, const std::string& outer) {
  std::wstring in = ResolvedWide(Widen(inner)), out = ResolvedWide(Widen(outer));
  while (!out.empty() && out.back() == L'\\')
    out.pop_back();
  if (in.size() < out.size() || !SameName(in.substr(0, out.size()), out))
    return false;
  return in.size() == out.size() || in[out.size()] == L'\\';
}

std::string PathIn(const std::string& folder, const std::string& name) {
  return folder + "\\" + name;
}

bool NamesIn(const std::string& folder, std::vector<std::string>& names, std::string& why) {
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(Widen(PathIn(folder, "*")).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    why = Why("cannot read the folder", folder);
    return false;
  }
  do {
    std::wstring name = found.cFileName;
    if (name != L"." && name != L"..")
      names.push_back(Narrow(name));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return true;
}

bool LinkLeadsToFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CanRemoveFolderLink(const std::string& path) {
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(Widen(path).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return false;
  FindClose(search);
  return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
         IsMicrosoftLink(found.dwReserved0);
}

bool RemoveEntry(const std::string& path, EntryKind kind, std::string& why) {
  const std::wstring wide = Widen(path);
  if (kind == EntryKind::kMissing)
    kind = EntryKind::kLink;  // listed but not there: a link to nothing
  switch (kind) {
    case EntryKind::kFile:
      if (DeleteFileW(wide.c_str()))
        return true;
      break;
    case EntryKind::kFolder:
      if (RemoveDirectoryW(wide.c_str()))
        return true;
      break;
    case EntryKind::kLink:
      if (LinkLeadsToFolder(path)) {
        if (!CanRemoveFolderLink(path)) {
          why = path +
                " is a link to a folder, which this system cannot remove without what it "
                "points to: remove the link yourself";
          return false;
        }
        if (RemoveDirectoryW(wide.c_str()))
          return true;
      } else {
        // A file of ours renamed over the link replaces the link itself (a
        // delete would reach its target under Wine), and is then deleted.
        std::wstring ours = wide + L".dkz-removing";
        HANDLE file = CreateFileW(ours.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
          break;
        CloseHandle(file);
        if (MoveFileExW(ours.c_str(), wide.c_str(), MOVEFILE_REPLACE_EXISTING) &&
            EntryAt(path) == EntryKind::kFile && DeleteFileW(wide.c_str()))
          return true;
        DeleteFileW(ours.c_str());
      }
      break;
    default:
      why = path + " is neither a file nor a folder: it was left as it is";
      return false;
  }
  why = Why("cannot remove", path);
  return false;
}

bool MakeNewFolder(const std::string& path, std::string& why) {
  if (CreateDirectoryW(Widen(path).c_str(), nullptr))
    return true;
  why = Why("cannot make the folder", path);
  return false;
}
