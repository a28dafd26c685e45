#include "plugin/cabrillo/log_output.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "core/cabrillo/cabrillo_log.h"
#include "files/file_writer_win.h"
#include "win/system_error.h"
#include "win/unique_handle.h"
#include "win/wide_text.h"

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
  // The host's names are in its ANSI page, and so are the words it shows.
  DWORD error = WriteFileWholeWide(Widen(name, CP_ACP), bytes);
  if (error != ERROR_SUCCESS)
    reason = SystemErrorText(error);
  return error == ERROR_SUCCESS;
}
