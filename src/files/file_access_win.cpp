#include "file_access_win.h"

#include <windows.h>

#include <shellapi.h>

#include "log_qso.h"

std::vector<std::string> CommandLineArguments() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> result;
  for (int i = 1; arguments != nullptr && i < count; ++i)
    result.push_back(Narrow(arguments[i]));
  LocalFree(arguments);
  return result;
}

std::string FullPath(const std::string& path) {
  std::wstring wide = Widen(path);
  DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  std::wstring full(length, L'\0');
  if (length == 0 || GetFullPathNameW(wide.c_str(), length, &full[0], nullptr) >= length)
    throw InputError("cannot use the path " + path);
  full.resize(length - 1);
  return Narrow(full);
}

namespace {

// A handle for reading attributes only; the caller closes it.
HANDLE OpenForQuery(const std::string& path) {
  return CreateFileW(Widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

}  // namespace

PathKind KindOf(const std::string& path) {
  // Windows resolves a device name (NUL, CON, COM1...) in any folder and
  // with any extension to the device itself.
  if (FullPath(path).compare(0, 4, "\\\\.\\") == 0)
    return PathKind::kDevice;
  DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return PathKind::kMissing;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return PathKind::kFolder;
  HANDLE file = OpenForQuery(path);
  if (file == INVALID_HANDLE_VALUE)
    return PathKind::kFile;  // reading it will say why
  DWORD type = GetFileType(file);
  CloseHandle(file);
  return type == FILE_TYPE_DISK ? PathKind::kFile : PathKind::kDevice;
}

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

bool SameFile(const std::string& a, const std::string& b) {
  if (CompareStringOrdinal(Widen(a).c_str(), -1, Widen(b).c_str(), -1, TRUE) == CSTR_EQUAL)
    return true;
  HANDLE first = OpenForQuery(a);
  HANDLE second = OpenForQuery(b);
  BY_HANDLE_FILE_INFORMATION x{}, y{};
  bool same = first != INVALID_HANDLE_VALUE && second != INVALID_HANDLE_VALUE &&
              GetFileInformationByHandle(first, &x) && GetFileInformationByHandle(second, &y) &&
              x.dwVolumeSerialNumber == y.dwVolumeSerialNumber &&
              x.nFileIndexHigh == y.nFileIndexHigh && x.nFileIndexLow == y.nFileIndexLow;
  if (first != INVALID_HANDLE_VALUE)
    CloseHandle(first);
  if (second != INVALID_HANDLE_VALUE)
    CloseHandle(second);
  return same;
}

unsigned long long LastWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data))
    return 0;
  return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
         data.ftLastWriteTime.dwLowDateTime;
}

bool CanWriteExisting(const std::string& path) {
  HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  CloseHandle(file);
  return true;
}

bool ReadShared(const std::string& path, std::string& bytes) {
  HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  bytes.clear();
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
    bytes.append(buffer, got);
  CloseHandle(file);
  return true;
}

MadeFiles ReadMadeFiles(const std::string& folder) {
  std::string text;
  ReadShared(folder + "\\" + kMadeFilesName, text);
  return MadeFiles::Parse(text);
}

bool WriteMadeFiles(const std::string& folder, const MadeFiles& record) {
  // A name the system makes new, so that no file is written over on the way.
  wchar_t temporary[MAX_PATH + 1] = {};
  if (GetTempFileNameW(Widen(folder).c_str(), L"dkz", 0, temporary) == 0)
    return false;
  HANDLE file = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, 0, nullptr);
  const std::string text = record.Text();
  DWORD written = 0;
  bool whole = file != INVALID_HANDLE_VALUE &&
               WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
               written == text.size();
  if (file != INVALID_HANDLE_VALUE)
    CloseHandle(file);
  if (whole && MoveFileExW(temporary, Widen(folder + "\\" + kMadeFilesName).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileW(temporary);
  return false;
}

std::string FileVersionOf(const std::string& path) {
  std::wstring wide = Widen(path);
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(wide.c_str(), &ignored);
  std::vector<char> block(size);
  void* found = nullptr;
  UINT length = 0;
  if (size == 0 || !GetFileVersionInfoW(wide.c_str(), 0, size, block.data()) ||
      !VerQueryValueW(block.data(), L"\\", &found, &length) || length < sizeof(VS_FIXEDFILEINFO))
    return "";
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(found);
  return std::to_string(HIWORD(info->dwFileVersionMS)) + "." +
         std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
         std::to_string(HIWORD(info->dwFileVersionLS)) + "." +
         std::to_string(LOWORD(info->dwFileVersionLS));
}

bool GrowingFile::Open(const std::string& path) {
  HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  handle_ = file;
  return true;
}

std::string GrowingFile::ReadNew() {
  std::string bytes;
  if (handle_ == nullptr)
    return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(handle_, buffer, sizeof buffer, &got, nullptr) && got > 0)
    bytes.append(buffer, got);
  return bytes;
}

GrowingFile::~GrowingFile() {
  if (handle_ != nullptr)
    CloseHandle(handle_);
}
