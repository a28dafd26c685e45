#include "win_links.h"

#include <windows.h>

namespace {

bool UnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// A POSIX program, started by Wine in the current folder.
bool RunPosix(const char* program, std::string line) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(program, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  bool ended = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return ended;
}

// Wine's folders are POSIX folders.
std::string PosixName(std::string name) {
  for (char& c : name) {
    if (c == '\\')
      c = '/';
  }
  return name;
}

bool Listed(const std::string& name) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA(name.c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE)
    return false;
  FindClose(find);
  return true;
}

}  // namespace

TestLink::TestLink(const std::string& name, const std::string& target) : name_(name) {
  DWORD kind = GetFileAttributesA(target.c_str());
  folder_ = kind != INVALID_FILE_ATTRIBUTES && (kind & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (UnderWine()) {
    made_ = RunPosix("Z:\\bin\\ln", "/bin/ln -s " + PosixName(target) + " " + PosixName(name)) &&
            Listed(name);
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
    RunPosix("Z:\\bin\\rm", "/bin/rm -f " + PosixName(name_));
  else if (folder_)
    RemoveDirectoryA(name_.c_str());
  else
    DeleteFileA(name_.c_str());
}
