#include "check/run_environment.h"

#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>

uint64_t MemoryRoom() {
  MEMORYSTATUSEX status;
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status))
    return 0;
  // A 32-bit process ends at its address space long before the machine does.
  return std::min<uint64_t>(status.ullAvailVirtual, status.ullAvailPageFile);
}

bool ProgressShownOnTerminal() {
  return _isatty(_fileno(stderr)) != 0;
}
