#include "check/run_environment.h"

#include <unistd.h>

#include <fstream>
#include <string>

uint64_t MemoryRoom() {
  // What the machine can give without swapping others out.
  std::ifstream info("/proc/meminfo");
  std::string key, unit;
  uint64_t kilobytes = 0;
  while (info >> key >> kilobytes >> unit) {
    if (key == "MemAvailable:")
      return kilobytes * 1024;
  }
  return 0;
}

bool ProgressShownOnTerminal() {
  return isatty(STDERR_FILENO) != 0;
}
