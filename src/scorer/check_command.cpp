#include "scorer/check_command.h"

#include <iostream>
#include <stdexcept>

#include "check/check_folders.h"
#include "check/check_outputs.h"
#include "check/check_run.h"
#include "check/entrant_letter.h"
#include "check/folder_system.h"
#include "check/interned_text.h"
#include "check/results_writer.h"
#include "check/run_environment.h"
#include "files/file_access.h"
#include "files/file_writer.h"
#include "files/made_files.h"
#include "logs/log_file.h"
#include "logs/log_values.h"
#include "scorer/check_scorer.h"
#include "scorer/score_command.h"
#include "scorer/score_options.h"

namespace {

// The plug-in's working folder (err.txt, its settings), removed after the run.
const char* const kWorkFolder = "work";

// What the check writes into RESULTS whatever the logs, and its working folder.
std::vector<std::string> FixedNames() {
  std::vector<std::string> names = FixedOutputNames();
  names.push_back(kWorkFolder);
  return names;
}

}  // namespace

CheckRun RunCheck(const CheckCommand& command, std::ostream& notes) {
  TextPoolScope texts;  // the run's own, freed when it ends
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
  settings.MemoryRoom = MemoryRoom();
  settings.Lanes = CheckLanes();
  ResultsWriter results(run.ResultsFolder, settings.Table, {kWorkFolder},
                        ProgressShownOnTerminal() ? &std::cerr : nullptr);
  CheckedContest contest;
  {
    CurrentFolder folder(work);
    contest = CheckSubmissions(logFolder, files, countries, settings, MakeCheckScorer, results);
  }
  RemoveMadeFolder(work);
  run.Unwritten = results.Unwritten();

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
