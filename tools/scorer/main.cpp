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
#include "plugin_host.h"
#include "report_file.h"
#include "report_of_run.h"
#include "report_page.h"
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
  if (!command.ReportPath.empty()) {
    std::string errText = ReadWholeFile(run.WorkFolder + "\\err.txt");
    if (WriteReportFile(command.ReportPath, ReportPage(ReportFactsOfRun(run.Outcome, errText)))) {
      std::cout << "report page: " << command.ReportPath << "\n";
    } else {
      std::cerr << "dkz-score: cannot write the report page " << command.ReportPath << "\n";
      exitCode = 1;
    }
  }
  return exitCode;
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
        std::cout << kUsageText;
        return 0;
      case CommandLine::Action::Info:
        return Info();
      case CommandLine::Action::Score:
        return Score(line.Score);
    }
  } catch (const UsageError& e) {
    std::cerr << "dkz-score: " << e.what() << "\n\n" << kUsageText;
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "dkz-score: " << e.what() << "\n";
    return 1;
  }
  return 1;
}
