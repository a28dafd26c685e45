#include "check_command_win.h"

#include <windows.h>

#include <filesystem>
#include <map>
#include <stdexcept>

#include "check_folders.h"
#include "contest_check.h"
#include "core/engine/settings.h"
#include "file_access_win.h"
#include "file_writer.h"
#include "log_file.h"
#include "log_values.h"
#include "made_files.h"
#include "plugin_host.h"
#include "score_command_win.h"
#include "score_options.h"

namespace fs = std::filesystem;

namespace {

const char* const kResultsCsv = "results.csv";
const char* const kFindingsCsv = "findings.csv";
const char* const kRejectedText = "rejected.txt";
// The plug-in's working folder (err.txt, its settings), removed after the run.
const char* const kWorkFolder = "work";

// Reads every file of the folder; what cannot be scored is set aside with its
// reason. One log per station: a second one of a call is set aside.
void ReadLogs(const CheckCommand& command, CheckedContest& contest,
              std::vector<Rejection>& rejected) {
  std::string countryPath = ChooseCountryFile(command.CountryFile).Path;
  CountryFile countries = CountryFile::Parse(ReadTextFile(countryPath, countryPath), countryPath);
  std::map<std::string, std::string> fileOfName = {{kResultsCsv, "-"},
                                                   {kFindingsCsv, "-"},
                                                   {kRejectedText, "-"},
                                                   {ToLower(kMadeFilesName), "-"}};
  for (const std::string& file : LogFilesIn(command.LogFolder)) {
    try {
      std::string path = (fs::u8path(command.LogFolder) / fs::u8path(file)).u8string();
      Entrant entrant = MakeEntrant(file, ReadLogFile(path, file), countries);
      auto taken = fileOfName.emplace(ToLower(entrant.LetterName), file);
      if (!taken.second) {
        rejected.push_back(
            {file, "its report " + entrant.LetterName + " is taken" +
                       (taken.first->second == "-" ? std::string() : " by " + taken.first->second) +
                       ": one log per station"});
        continue;
      }
      contest.Entrants.push_back(std::move(entrant));
    } catch (const InputError& error) {
      rejected.push_back({file, error.what()});
    }
  }
}

// Both passes of every log through one loaded plug-in: the whole log for the
// claimed score, then, after the cross-check, the QSOs it kept.
void ScoreAndCheck(CheckedContest& contest) {
  // No logging program runs beside the check: with the master switch on, a
  // summary does not look for one (a COM lookup that costs more than the log).
  std::string ignored;  // without it the check only runs slower
  WriteFileWhole(SettingsFile, "[" + std::string(SettingsSection) + "]\r\nMaster=1\r\n", ignored);
  PluginHost plugin;
  for (Entrant& entrant : contest.Entrants) {
    plugin.ResetStats0(entrant.Plan.Reset);
    for (size_t q = 0; q < entrant.Plan.Qsos.size(); ++q) {
      if (plugin.AddData0(entrant.Plan.Qsos[q]) == 1)
        entrant.Stored.push_back(static_cast<int>(q));
    }
    entrant.ClaimedSummary = plugin.GetResult0();
    contest.Logs.push_back(CheckLogOf(entrant));
  }
  CheckOptions options;
  options.ToleranceSeconds = int64_t{60} * contest.Minutes;
  contest.Findings = CheckContest(contest.Logs, options);
  for (size_t e = 0; e < contest.Entrants.size(); ++e) {
    Entrant& entrant = contest.Entrants[e];
    std::vector<int> kept = KeptByCheck(entrant, contest.Findings[e]);
    plugin.ResetStats0(entrant.Plan.Reset);
    for (int q : kept)
      plugin.AddData0(entrant.Plan.Qsos[q]);
    entrant.CheckedQsos = static_cast<int>(kept.size());
    entrant.CheckedSummary = plugin.GetResult0();
  }
}

void WriteResult(const fs::path& folder, const std::string& name, const std::string& text) {
  const std::string path = (folder / fs::u8path(name)).u8string();
  std::string reason;
  if (!WriteFileWhole(path, text, reason))
    throw std::runtime_error("cannot write " + path + ": " + reason);
}

}  // namespace

CheckRun RunCheck(const CheckCommand& command, std::ostream& notes) {
  CheckRun run;
  CheckedContest contest;
  contest.Minutes = command.Minutes;
  ReadLogs(command, contest, run.Rejected);
  for (const Rejection& rejection : run.Rejected)
    notes << RejectedText({rejection});

  std::vector<std::string> names = {kResultsCsv, kFindingsCsv, kRejectedText, kWorkFolder};
  for (const Entrant& entrant : contest.Entrants)
    names.push_back(entrant.LetterName);
  PrepareResultsFolder(command.LogFolder, command.ResultsFolder, names);
  const fs::path results = fs::absolute(fs::u8path(command.ResultsFolder));
  run.ResultsFolder = results.u8string();
  const fs::path work = results / kWorkFolder;
  fs::create_directories(work / "Plugins");
  {
    CurrentFolder folder(work.u8string());
    ScoreAndCheck(contest);
  }
  RemoveWorkFolder(work.u8string());

  WriteResult(results, kResultsCsv, ResultsCsv(contest));
  WriteResult(results, kFindingsCsv, FindingsCsv(contest));
  WriteResult(results, kRejectedText, RejectedText(run.Rejected));
  for (size_t e = 0; e < contest.Entrants.size(); ++e)
    WriteResult(results, contest.Entrants[e].LetterName,
                EntrantLetter(contest, static_cast<int>(e)));
  run.Checked = static_cast<int>(contest.Entrants.size());
  return run;
}
