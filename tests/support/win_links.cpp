#include "win_links.h"

#include <windows.h>

namespace {

bool UnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool Listed(const std::string& name) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA(name.c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE)
    return false;
  FindClose(find);
  return true;
}

// Starts a POSIX program, and waits until `name` is listed or not, as
// `listed` says: Wine gives no handle to wait for such a process on.
bool RunPosix(const char* program, std::string line, const std::string& name, bool listed) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(program, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int wait = 0; wait < 500 && Listed(name) != listed; ++wait)
    Sleep(10);
  return Listed(name) == listed;
}

// A target relative to its link: Wine's folders are POSIX folders.
std::string PosixName(std::string name) {
  for (char& c : name) {
    if (c == '\\')
      c = '/';
  }
  return name;
}

// The POSIX path of a name in the current folder: a POSIX program that Wine
// starts runs in the folder Wine was started in.
std::string PosixPath(const std::string& name) {
  using UnixName = char*(__cdecl*)(const wchar_t*);
  auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  wchar_t full[MAX_PATH] = {};
  std::wstring wide(name.begin(), name.end());
  if (unixName == nullptr || GetFullPathNameW(wide.c_str(), MAX_PATH, full, nullptr) == 0)
    return PosixName(name);
  char* found = unixName(full);
  if (found == nullptr)
    return PosixName(name);
  std::string path = found;
  HeapFree(GetProcessHeap(), 0, found);
  return path;
}

}  // namespace

TestLink::TestLink(const std::string& name, const std::string& target) : name_(name) {
  DWORD kind = GetFileAttributesA(target.c_str());
  folder_ = kind != INVALID_FILE_ATTRIBUTES && (kind & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (UnderWine()) {
    made_ = RunPosix("Z:\\bin\\ln", "/bin/ln -s " + PosixName(target) + " " + PosixPath(name), name,
                     true);
  } else {
    DWORD flags = SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE;
    if (folder_)
      flags |= SYMBOLIC_LINK_FLAG_DIRECTORY;
    made_ = CreateSymbolicLinkA(name.c_str(), target.c_str(), flags) && Listed(name);
  }
}

TestLink::~TestLink() {
  if (!made_)
    return;
  if (UnderWine())
    RunPosix("Z:\\bin\\rm", "/bin/rm -f " + PosixPath(name_), name_, false);
  else if (folder_)
    RemoveDirectoryA(name_.c_str());
  else
    DeleteFileA(name_.c_str());
}
