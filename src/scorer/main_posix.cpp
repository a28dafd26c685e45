// dkz-score natively: scores a contest log with the plug-in's own code, built
// from the sources of Stats.dll, and prints the plug-in's score summary.
#include "scorer/command_run.h"

int main(int argc, char** argv) {
  return RunCommandLine(std::vector<std::string>(argv + 1, argv + argc));
}
