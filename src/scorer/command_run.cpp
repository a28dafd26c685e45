#include "scorer/command_run.h"

#include <exception>
#include <iostream>

#include "core/engine/settings.h"
#include "files/file_access.h"
#include "files/file_writer.h"
#include "logs/log_qso.h"
#include "native_plugin/page_facts_of_run.h"
#include "report_page/report_page.h"
#include "scorer/check_command.h"
#include "scorer/failure_text.h"
#include "scorer/score_command.h"
#include "scorer/score_json.h"
#include "scorer/score_options.h"
#include "scorer/score_printout.h"
#include "scorer/scorer_platform.h"

namespace {

int Score(const ScoreCommand& command) {
  ScoreRun run = RunScore(command, std::cerr);
  const ScoreOutcome& outcome = run.Outcome;
  // With the JSON on standard output, the printout for people goes to standard error.
  std::ostream& out = command.JsonPath == "-" ? std::cerr : std::cout;
  out << FormatPrintout(outcome);
  const std::string settingsFile = SystemPath(SettingsFile);
  std::string files = "err.txt and " + settingsFile;
  int exitCode = kExitOk;
  if (run.Cabrillo) {
    out << "Stats.dll: " << run.Cabrillo->Message << "\n";
    if (run.Cabrillo->Written) {
      files = "err.txt, " + settingsFile + " and " + run.Cabrillo->FileName;
    } else {
      std::cerr << "dkz-score: no Cabrillo log: " << run.Cabrillo->Message << "\n";
      exitCode = kExitFailed;
    }
  }
  out << "\ncountry file: " << run.CountryFileShown << "\n"
      << files << " are in " << run.WorkFolderShown << "\n";
  if (!outcome.ErrorFileWritten) {
    std::cerr << "dkz-score: err.txt in " << run.WorkFolderShown
              << " could not be written (read-only, a folder or held by another program): what "
                 "it holds is not from this run\n";
    exitCode = kExitFailed;
  }
  if (!command.JsonPath.empty()) {
    std::string json = FormatJson(outcome);
    if (command.JsonPath == "-") {
      std::cout << json;
    } else {
      std::string reason;
      if (!WriteFileWhole(command.JsonPath, json, reason)) {
        std::cerr << "dkz-score: cannot write " << command.JsonPath << ": " << reason << "\n";
        exitCode = kExitFailed;
      }
      RememberMadeFiles(run.WorkFolder, {FullPath(command.JsonPath)}, std::cerr);
    }
  }
  if (!command.PagePath.empty()) {
    std::string reason;
    if (WriteFileWhole(command.PagePath, ReportPage(PageFactsOfRun(outcome)), reason)) {
      out << "report page: " << command.PagePath << "\n";
    } else {
      std::cerr << "dkz-score: cannot write the report page " << command.PagePath << ": " << reason
                << "\n";
      exitCode = kExitFailed;
    }
  }
  if (outcome.Stored == 0) {
    std::cerr << "dkz-score: Stats.dll stored none of the " << outcome.HandedOver.size()
              << " QSOs handed over"
              << (run.Outcome.OutsidePeriod > 0 ? " (the others lie outside the period)" : "")
              << ": there is no score"
              << (command.Replay.CabrilloRequest != 0 ? " and no Cabrillo log was written" : "")
              << "\n";
    exitCode = kExitNothingStored;
  }
  return exitCode;
}

int Check(const CheckCommand& command) {
  CheckRun run = RunCheck(command, std::cerr);
  auto logs = [](int n) { return std::to_string(n) + (n == 1 ? " log" : " logs"); };
  std::cout << "Contest period: " << run.Period << "\n"
            << logs(run.Ranked) << " checked and ranked, " << logs(run.Evidence)
            << " used as evidence only (checklogs, logs that scored nothing), " << run.NotChecked
            << (run.NotChecked == 1 ? " file" : " files")
            << " not checked (rejected.txt); results in " << command.ResultsFolder << "\n";
  for (const std::string& unwritten : run.Unwritten)
    std::cerr << "dkz-score: " << unwritten << "\n";
  if (!run.Unwritten.empty())
    return kExitFailed;
  if (run.Ranked > 0)
    return kExitOk;
  std::cerr << "dkz-score: no log in " << command.LogFolder << " could be checked\n";
  return kExitFailed;
}

// Whether the command line asks for the JSON on standard output: then a
// failed run answers there in JSON too, so that a script always gets JSON.
bool JsonOnStandardOutput(const std::vector<std::string>& args) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--json=-" || (args[i] == "--json" && i + 1 < args.size() && args[i + 1] == "-"))
      return true;
  }
  return false;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args) {
  const bool json = JsonOnStandardOutput(args);
  try {
    CommandLine line = ParseCommandLine(args);
    switch (line.Do) {
      case CommandLine::Action::Help:
        std::cout << ThisBuildsWords(std::string(kUsageText) + "\n" + kCheckUsageText);
        return kExitOk;
      case CommandLine::Action::Version:
        return PrintVersion();
      case CommandLine::Action::Info:
        return PrintInfo();
      case CommandLine::Action::Score:
        return Score(line.Score);
      case CommandLine::Action::Check:
        return Check(line.Check);
    }
  } catch (const UsageError& e) {
    std::cerr << UsageErrorText(e.what());
    if (json)
      std::cout << FormatJsonError(e.what());
    return kExitCommandLine;
  } catch (const std::exception& e) {
    std::cerr << FailureText(e);
    if (json)
      std::cout << FormatJsonError(FailureMessage(e));
    return kExitFailed;
  }
  return kExitFailed;
}
