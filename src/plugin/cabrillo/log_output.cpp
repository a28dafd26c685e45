#include "plugin/cabrillo/log_output.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "core/cabrillo/cabrillo_log.h"
#include "win/system_error.h"
#include "win/unique_handle.h"

namespace {

bool ReadFileVersion(const char* path, std::string& text) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  if (size == 0)
    return false;
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(path, 0, size, block.data()))
    return false;
  void* found = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\", &found, &length) || found == nullptr ||
      length < sizeof(VS_FIXEDFILEINFO))
    return false;
  VS_FIXEDFILEINFO info;
  std::memcpy(&info, found, sizeof info);
  if (info.dwSignature != VS_FFI_SIGNATURE)
    return false;
  text = HostVersionText(HIWORD(info.dwFileVersionMS), LOWORD(info.dwFileVersionMS),
                         HIWORD(info.dwFileVersionLS));
  return true;
}

}  // namespace

std::string FindHostVersion() {
  WIN32_FIND_DATAA entry;
  FindHandle find(FindFirstFileA("*.exe", &entry));
  if (!find)
    return "";
  std::string text;
  do {
    // ".\" pins the version lookup to the listed file: a bare name would be
    // searched along the program-loading path and could find another copy.
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
        std::strstr(entry.cFileName, "Orvo") != nullptr &&
        ReadFileVersion((std::string(".\\") + entry.cFileName).c_str(), text))
      break;
  } while (FindNextFileA(find.Get(), &entry));
  return text;
}

bool WriteFileReplacing(const std::string& name, const std::string& bytes, std::string& reason) {
  const std::string temporary = name + ".tmp";
  HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    reason = SystemErrorText(GetLastError());
    return false;
  }
  DWORD written = 0;
  bool complete =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size() && FlushFileBuffers(file);
  DWORD error = complete ? ERROR_SUCCESS : GetLastError();
  if (!CloseHandle(file) && complete) {
    complete = false;
    error = GetLastError();
  }
  if (complete && !MoveFileExA(temporary.c_str(), name.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    complete = false;
    error = GetLastError();
  }
  if (!complete) {
    DeleteFileA(temporary.c_str());
    // A short write without an error code still needs words for the user.
    reason = SystemErrorText(error == ERROR_SUCCESS ? ERROR_WRITE_FAULT : error);
  }
  return complete;
}
