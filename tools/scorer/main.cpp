// dkz-score: replays a contest log through Stats.dll the way the logging
// program does, and prints the plug-in's score summary.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <exception>
#include <iostream>
#include <vector>

#include "engine/settings.h"
#include "dkz_version.h"
#include "log_qso.h"
#include "check_command_win.h"
#include "plugin_host.h"
#include "score_command_win.h"
#include "score_options.h"

namespace {

int Info() {
  PluginHost plugin;
  std::cout << "sets: " << plugin.GetNumberOfSets() << "\n";
  std::cout << "set 0: " << plugin.GetSetName(0) << "\n";
  std::cout << "exchange fields: " << plugin.GetExchgCount0() << "\n";
  return 0;
}

int Score(const ScoreCommand& command) {
  ScoreRun run = RunScore(command, std::cerr);
  std::cout << FormatReport(run.Outcome) << "\n";
  std::string files = std::string("err.txt and ") + SettingsFile;
  int exitCode = 0;
  if (run.Cabrillo) {
    std::cout << "Stats.dll: " << run.Cabrillo->Message << "\n";
    if (run.Cabrillo->Written) {
      files = std::string("err.txt, ") + SettingsFile + " and " + run.Cabrillo->FileName;
    } else {
      std::cerr << "dkz-score: no Cabrillo log: " << run.Cabrillo->Message << "\n";
      exitCode = 1;
    }
  }
  std::cout << files << " are in " << run.WorkFolder << "\n";
  return exitCode;
}

int Check(const CheckCommand& command) {
  CheckRun run = RunCheck(command, std::cerr);
  std::cout << run.Checked << " logs checked, " << run.Rejected.size() << " rejected; results in "
            << run.ResultsFolder << "\n";
  if (run.Checked > 0)
    return 0;
  std::cerr << "dkz-score: no log in " << command.LogFolder << " could be checked\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  // Plain line ends, the same on a console and in a pipe under Wine.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::cout << "dkz-score " DKZ_VERSION_TEXT "\n";
    return 0;
  }
  try {
    CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.Do) {
      case CommandLine::Action::Help:
        std::cout << kUsageText << "\n" << kCheckUsageText;
        return 0;
      case CommandLine::Action::Info:
        return Info();
      case CommandLine::Action::Score:
        return Score(line.Score);
      case CommandLine::Action::Check:
        return Check(line.Check);
    }
  } catch (const UsageError& e) {
    std::cerr << "dkz-score: " << e.what() << "\n\n" << kUsageText << "\n" << kCheckUsageText;
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "dkz-score: " << e.what() << "\n";
    return 1;
  }
  return 1;
}
