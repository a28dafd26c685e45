// dkz-score: replays a contest log through Stats.dll the way the logging
// program does, and prints the plug-in's score summary.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "files/file_access_win.h"
#include "scorer/command_run.h"
#include "scorer/scoring_worker_win.h"

int main() {
  // Plain line ends, the same on a console and in a pipe under Wine; paths
  // and calls are UTF-8 throughout.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  SetConsoleOutputCP(CP_UTF8);
  std::vector<std::string> args = CommandLineArguments();
  if (IsScoringWorker(args))
    return RunScoringWorker();
  return RunCommandLine(args);
}
