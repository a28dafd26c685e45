#include "check_command_win.h"

#include <windows.h>

#include <filesystem>
#include <stdexcept>

#include "check_folders.h"
#include "check_run.h"
#include "check_tables.h"
#include "file_access_win.h"
#include "file_writer.h"
#include "folder_system.h"
#include "core/engine/settings.h"
#include "entrant_page.h"
#include "entrant_letter.h"
#include "log_file.h"
#include "log_values.h"
#include "made_files.h"
#include "plugin_host.h"
#include "results_page.h"
#include "score_command_win.h"
#include "score_options.h"

namespace fs = std::filesystem;

namespace {

// What the check writes into RESULTS beside the entrants' reports.
const char* const kResultsCsv = "results.csv";
const char* const kEntrantsCsv = "entrants.csv";
const char* const kFindingsCsv = "findings.csv";
const char* const kReceivedCsv = "received.csv";
const char* const kNoLogCsv = "stations-without-log.csv";
const char* const kRejectedText = "rejected.txt";
const char* const kTableText = "sponsor-table.txt";
const char* const kResultsPage = "results.html";
// The plug-in's working folder (err.txt, its settings), removed after the run.
const char* const kWorkFolder = "work";

std::vector<std::string> FixedNames() {
  return {kResultsCsv,   kEntrantsCsv, kFindingsCsv, kReceivedCsv, kNoLogCsv,
          kRejectedText, kTableText,   kResultsPage, kWorkFolder};
}

// Names an entrant's report may not take: those above without extension.
std::vector<std::string> FixedBases() {
  std::vector<std::string> bases;
  for (const std::string& name : FixedNames())
    bases.push_back(name.substr(0, name.find('.')));
  bases.push_back(std::string(kMadeFilesName).substr(0, std::string(kMadeFilesName).find('.')));
  return bases;
}

// Every pass of the check through one loaded plug-in.
class PluginScorer : public LogScorer {
 public:
  PluginScorer() {
    // No logging program runs beside the check: with the master switch on, a
    // summary does not look for one (a COM lookup that costs more than the log).
    std::string ignored;  // without it the check only runs slower
    WriteFileWhole(SettingsFile, "[" + std::string(SettingsSection) + "]\r\nMaster=1\r\n", ignored);
  }
  std::string Score(const ResetInput& reset, const std::vector<QsoInput>& qsos,
                    std::vector<bool>* stored) override {
    plugin_.ResetStats0(reset);
    for (const QsoInput& qso : qsos) {
      bool kept = plugin_.AddData0(qso) == 1;
      if (stored)
        stored->push_back(kept);
    }
    return plugin_.GetResult0();
  }

 private:
  PluginHost plugin_;
};

}  // namespace

CheckRun RunCheck(const CheckCommand& command, std::ostream& notes) {
  std::string countryPath = ChooseCountryFile(command.CountryFile).Path;
  CountryFile countries = CountryFile::Parse(ReadTextFile(countryPath, countryPath), countryPath);
  CheckSettings settings;
  settings.Minutes = command.Minutes;
  settings.From = command.From;
  settings.To = command.To;
  if (!command.TableFile.empty()) {
    settings.Table =
        SponsorTable::Parse(ReadTextFile(command.TableFile, command.TableFile), command.TableFile);
  }
  std::vector<ReceivedFile> files = ReceivedFilesIn(command.LogFolder);
  // Read from the plug-in's working folder below.
  const std::string logFolder = FullPath(command.LogFolder);

  CheckRun run;
  run.ResultsFolder = PrepareResultsFolder(command.LogFolder, command.ResultsFolder, FixedNames());
  const std::string work = PathIn(run.ResultsFolder, kWorkFolder);
  std::string why;
  if (!MakeNewFolder(work, why) || !MakeNewFolder(PathIn(work, "Plugins"), why))
    throw InputError(why);
  CheckedContest contest;
  {
    CurrentFolder folder(work);
    PluginScorer scorer;
    contest = CheckSubmissions(logFolder, files, countries, settings, scorer);
  }
  RemoveMadeFolder(work);

  NameLetters(contest.Entrants, FixedBases());
  std::vector<std::pair<std::string, std::string>> outputs = {
      {kResultsCsv, ResultsCsv(contest)},          {kEntrantsCsv, EntrantsCsv(contest)},
      {kFindingsCsv, FindingsCsv(contest)},        {kReceivedCsv, ReceivedCsv(contest)},
      {kNoLogCsv, StationsWithoutLogCsv(contest)}, {kRejectedText, RejectedText(contest)},
      {kTableText, settings.Table.Text()},         {kResultsPage, ResultsPage(contest)},
  };
  for (size_t e = 0; e < contest.Entrants.size(); ++e) {
    const std::string& name = contest.Entrants[e].LetterName;
    outputs.push_back({name + ".txt", EntrantLetter(contest, static_cast<int>(e))});
    outputs.push_back({name + ".html", EntrantPage(contest, static_cast<int>(e))});
  }
  std::vector<std::string> names = {kWorkFolder};
  for (const auto& output : outputs)
    names.push_back(output.first);
  RecordResults(run.ResultsFolder, names);
  // A result that cannot be written stops none of the others.
  for (const auto& [name, text] : outputs) {
    if (!WriteResult(run.ResultsFolder, name, text, why))
      run.Unwritten.push_back(why);
  }

  for (const Receipt& r : contest.Received) {
    if (r.Status == ReceiptStatus::kRejected || r.Status == ReceiptStatus::kSuperseded)
      ++run.NotChecked;
    else if (r.Status != ReceiptStatus::kChecked)
      ++run.Evidence;
    else
      ++run.Ranked;
  }
  std::string rejected = RejectedText(contest);
  notes << rejected.substr(rejected.find('\n') + 1);
  run.Period = contest.Period.Text();
  return run;
}
