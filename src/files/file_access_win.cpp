#include "files/file_access_win.h"

#include <windows.h>

#include <shellapi.h>

#include <stdexcept>

#include "core/base/input_error.h"
#include "files/file_writer.h"
#include "files/path_entry.h"
#include "win/unique_handle.h"
#include "win/wide_text.h"

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

const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A handle for reading attributes only.
FileHandle OpenForQuery(const std::string& path) {
  return FileHandle(CreateFileW(Widen(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// For reading, with the other writers still holding the file.
FileHandle OpenShared(const std::string& path) {
  return FileHandle(CreateFileW(Widen(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                                OPEN_EXISTING, 0, nullptr));
}

std::string ReadRest(const FileHandle& file) {
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
    bytes.append(buffer, got);
  return bytes;
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
  FileHandle file = OpenForQuery(path);
  if (!file)
    return PathKind::kFile;  // reading it will say why
  return GetFileType(file.Get()) == FILE_TYPE_DISK ? PathKind::kFile : PathKind::kDevice;
}

bool SameFile(const std::string& a, const std::string& b) {
  if (CompareStringOrdinal(Widen(a).c_str(), -1, Widen(b).c_str(), -1, TRUE) == CSTR_EQUAL)
    return true;
  FileHandle first = OpenForQuery(a);
  FileHandle second = OpenForQuery(b);
  BY_HANDLE_FILE_INFORMATION x{}, y{};
  return first && second && GetFileInformationByHandle(first.Get(), &x) &&
         GetFileInformationByHandle(second.Get(), &y) &&
         x.dwVolumeSerialNumber == y.dwVolumeSerialNumber && x.nFileIndexHigh == y.nFileIndexHigh &&
         x.nFileIndexLow == y.nFileIndexLow;
}

unsigned long long LastWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data))
    return 0;
  return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
         data.ftLastWriteTime.dwLowDateTime;
}

bool CanWriteExisting(const std::string& path) {
  return static_cast<bool>(
      FileHandle(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, 0, nullptr)));
}

bool ReadShared(const std::string& path, std::string& bytes) {
  FileHandle file = OpenShared(path);
  if (!file)
    return false;
  bytes = ReadRest(file);
  return true;
}

CurrentFolder::CurrentFolder(const std::string& path) : previous_(FullPath(".")) {
  if (!SetCurrentDirectoryW(Widen(path).c_str()))
    throw std::runtime_error("cannot work in the folder " + path);
}

CurrentFolder::~CurrentFolder() {
  SetCurrentDirectoryW(Widen(previous_).c_str());
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

void MakeFolders(const std::string& path) {
  for (size_t slash = path.find_first_of("\\/", 3); slash != std::string::npos;
       slash = path.find_first_of("\\/", slash + 1)) {
    CreateDirectoryW(Widen(path.substr(0, slash)).c_str(), nullptr);
  }
  CreateDirectoryW(Widen(path).c_str(), nullptr);
  if (KindOf(path) != PathKind::kFolder)
    throw std::runtime_error("cannot make the folder " + path);
}

std::string SystemPath(const std::string& relative) {
  return relative;
}

std::string InFolder(const std::string& folder, const std::string& name) {
  return folder + "\\" + name;
}

struct GrowingFile::Source {
  FileHandle File;
};

GrowingFile::GrowingFile() = default;
GrowingFile::~GrowingFile() = default;

bool GrowingFile::Open(const std::string& path) {
  source_ = std::make_unique<Source>(Source{OpenShared(path)});
  return static_cast<bool>(source_->File);
}

std::string GrowingFile::ReadNew() {
  return source_ && source_->File ? ReadRest(source_->File) : std::string();
}
