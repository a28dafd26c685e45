#include "scorer/score_command.h"

#include <algorithm>
#include <stdexcept>

#include "core/cabrillo/cabrillo_log.h"
#include "core/engine/error_file.h"
#include "core/engine/settings.h"
#include "files/file_access.h"
#include "files/path_entry.h"
#include "logs/country_file.h"
#include "logs/log_file.h"
#include "logs/reading_notes.h"
#include "logs/replay_plan.h"
#include "report_page/page_file.h"

namespace {

struct NamedFile {
  std::string Path;  // full
  std::string Shown;
  std::string Option;  // the option that names it ("--json"); empty for the working folder's
  bool Read = false;   // an input of the run
};

// What to do instead of writing over `file`.
std::string Advice(const NamedFile& file) {
  return file.Option.empty() ? "give another working folder with --dir"
                             : "give " + file.Option + " another file";
}

// None of the files the run writes may be one it reads (or, for the JSON and
// the report page, one the plug-in writes).
void RefuseWritingOverInput(const std::vector<NamedFile>& outputs,
                            const std::vector<NamedFile>& others) {
  for (const NamedFile& output : outputs) {
    for (const NamedFile& other : others) {
      if (SameFile(output.Path, other.Path)) {
        throw InputError(output.Shown + " would be written over " + other.Shown +
                         ", which this run " + (other.Read ? "reads" : "writes") +
                         ": nothing was written; " + Advice(output));
      }
    }
  }
}

// An output file named on the command line goes into a folder that is there
// (or is the working folder, which the run makes).
void RefuseMissingFolder(const NamedFile& file, const std::string& workFolder) {
  const std::string folder = file.Path.substr(0, file.Path.find_last_of("\\/"));
  if (KindOf(folder) != PathKind::kFolder && !SameFile(folder, workFolder))
    throw InputError("the folder of " + file.Shown + " does not exist: nothing was written");
}

std::vector<std::string> PathsOf(const std::vector<NamedFile>& files) {
  std::vector<std::string> paths;
  for (const NamedFile& file : files)
    paths.push_back(file.Path);
  return paths;
}

// "a, b and c"
std::string NamesOf(const std::vector<NamedFile>& files) {
  std::string names;
  for (size_t i = 0; i < files.size(); ++i)
    names += (i == 0 ? "" : i + 1 == files.size() ? " and " : ", ") + files[i].Shown;
  return names;
}

bool IsFile(const std::string& path) {
  return KindOf(path) == PathKind::kFile;
}

// Files already in the working folder that no run of ours made belong to the
// user or to the logging program (when run in its folder): never written over.
void RefuseWritingOverOthers(const std::vector<NamedFile>& outputs, const ScoreRun& run) {
  std::vector<std::string> others =
      NotMadeByUs(ReadMadeFiles(run.WorkFolder), run.WorkFolder, PathsOf(outputs), IsFile);
  if (others.empty())
    return;
  // The working folder's files by their names in it, the others by their paths.
  std::vector<NamedFile> inFolder, elsewhere;
  for (const NamedFile& output : outputs) {
    if (std::find(others.begin(), others.end(), output.Path) != others.end())
      (output.Option.empty() ? inFolder : elsewhere).push_back(output);
  }
  std::string names = inFolder.empty() ? "" : NamesOf(inFolder) + " in " + run.WorkFolderShown;
  if (!elsewhere.empty())
    names += (names.empty() ? "" : " and ") + NamesOf(elsewhere);
  const bool one = inFolder.size() + elsewhere.size() == 1;
  const NamedFile& first = inFolder.empty() ? elsewhere.front() : inFolder.front();
  throw InputError("would write over " + names +
                   ", which dkz-score did not make: nothing was written; " + Advice(first) +
                   ", or move " + (one ? "it" : "them") + " away");
}

// A link in place of a file the run writes would take the writing elsewhere:
// the plug-in writes err.txt and its settings in place.
void RefuseWritingThroughLinks(const std::vector<NamedFile>& outputs, const std::string& where) {
  for (const NamedFile& output : outputs) {
    if (EntryAt(output.Path) == EntryKind::kLink) {
      throw InputError(output.Shown + where + " is " + EntryRefusal(EntryKind::kLink) +
                       ": nothing was written; move it away");
    }
  }
}

// err.txt as the reset left it: its header only, and written now.
bool ErrorFileIsFresh(GrowingFile& file, const std::string& path, unsigned long long before) {
  if (!file.Open(path))
    return false;
  std::string content = file.ReadNew();
  return content == kErrorFileHeader && (before == 0 || LastWriteTime(path) != before);
}

size_t CountQsoLines(const std::string& path) {
  std::string bytes;
  ReadShared(path, bytes);
  size_t count = bytes.compare(0, 4, "QSO:") == 0 ? 1 : 0;
  for (size_t at = bytes.find("\nQSO:"); at != std::string::npos; at = bytes.find("\nQSO:", at + 1))
    ++count;
  return count;
}

// The plug-in's pass in the working folder, as the logging program makes it.
void Replay(PassReplayer& plugin, const ReplayPlan& plan, const ScoreCommand& command,
            ScoreRun& run) {
  const std::string errorPath = InFolder(run.WorkFolder, kErrorFileName);
  const std::string settingsPath = InFolder(run.WorkFolder, SystemPath(SettingsFile));
  const bool cabrillo = plan.Reset.CabrilloRequest != 0;
  ScoreOutcome& outcome = run.Outcome;
  const unsigned long long errorFileBefore = LastWriteTime(errorPath);
  CurrentFolder folder(run.WorkFolder);
  plugin.Reset(plan.Reset, command.Header);
  if (cabrillo && !command.Header.empty() && KindOf(settingsPath) != PathKind::kFile) {
    throw std::runtime_error(SystemPath(SettingsFile) + " could not be made in " +
                             run.WorkFolderShown + ": the header options were lost");
  }
  GrowingFile errors;
  outcome.ErrorFileWritten = ErrorFileIsFresh(errors, errorPath, errorFileBefore);
  for (size_t i = 0; i < plan.Qsos.size(); ++i) {
    const bool stored = plugin.AddData(plan.Qsos[i]);
    ++(stored ? outcome.Stored : outcome.Refused);
    outcome.StoredQso.push_back(stored);
    TakeErrorLines(outcome, i, !stored, errors.ReadNew());
  }
  SortOutNotes(outcome);
  if (outcome.Stored == 0)
    return;  // nothing to score: no summary, and no Cabrillo file without QSOs
  if (cabrillo) {
    run.Cabrillo.emplace();
    outcome.Summary = plugin.SummaryWritingCabrillo(*run.Cabrillo);
    if (run.Cabrillo->Written) {
      outcome.CabrilloFile = run.Cabrillo->FileName;
      outcome.CabrilloQsoLines = CountQsoLines(InFolder(run.WorkFolder, outcome.CabrilloFile));
    }
  } else {
    outcome.Summary = plugin.Summary();
  }
}

}  // namespace

void RememberMadeFiles(const std::string& workFolder, const std::vector<std::string>& paths,
                       std::ostream& notes) {
  MadeFiles record = ReadMadeFiles(workFolder);
  for (const std::string& path : paths)
    record.Update(NameInFolder(workFolder, path), IsFile(path));
  if (!WriteMadeFiles(workFolder, record)) {
    notes << "dkz-score: " << kMadeFilesName << " in " << workFolder
          << " could not be written: a later run there will not write over the files made now\n";
  }
}

CountryFileChoice ChooseCountryFile(const std::string& given) {
  if (!given.empty()) {
    RequireFile(FullPath(given), given);
    return {FullPath(given), given};
  }
  return DefaultCountryFile();
}

ScoreRun RunScore(const ScoreCommand& command, std::ostream& notes) {
  // Read and check all input before anything is written.
  std::string pageRefusal = command.PagePath.empty() ? "" : PagePathRefusal(command.PagePath);
  if (!pageRefusal.empty())
    throw InputError(pageRefusal);
  const CountryFileChoice country = ChooseCountryFile(command.CountryFile);
  const std::string& countryPath = country.Path;
  const std::string countryName = command.CountryFile.empty() ? countryPath : command.CountryFile;
  const std::vector<NamedFile> inputs = {{FullPath(command.LogPath), command.LogPath, "", true},
                                         {countryPath, countryName, "", true}};
  for (const NamedFile& input : inputs)
    RequireFile(input.Path, input.Shown);
  LogContents log = ReadLogFile(inputs[0].Path, command.LogPath);
  for (const std::string& line : ReadingNotes(log))
    notes << line << "\n";
  CountryFile countries = CountryFile::Parse(ReadTextFile(countryPath, countryName), countryName);
  ReplayPlan plan = PlanReplay(log, countries, command.Replay, command.LogPath);
  for (const std::string& note : LimitEachKind(plan.Notes))
    notes << note << "\n";

  ScoreRun run;
  run.WorkFolder = FullPath(command.WorkFolder.empty() ? "." : command.WorkFolder);
  run.WorkFolderShown = command.WorkFolder.empty() ? "the current folder" : command.WorkFolder;
  const std::string errorPath = InFolder(run.WorkFolder, kErrorFileName);
  const std::string settingsPath = InFolder(run.WorkFolder, SystemPath(SettingsFile));
  std::vector<NamedFile> outputs = {{errorPath, kErrorFileName, "", false},
                                    {settingsPath, SystemPath(SettingsFile), "", false}};
  const bool cabrillo = plan.Reset.CabrilloRequest != 0;
  if (cabrillo) {
    std::string name = CabrilloBaseName(plan.Reset.OwnCall) + ".cbr";
    outputs.push_back({InFolder(run.WorkFolder, name), name + " (the Cabrillo log)", "", false});
  }
  RefuseWritingOverInput(outputs, inputs);
  // The JSON and the report page: neither an input, nor the plug-in's, nor each
  // other, nor the list of the files made here.
  std::vector<NamedFile> others = inputs;
  others.insert(others.end(), outputs.begin(), outputs.end());
  const NamedFile record{InFolder(run.WorkFolder, kMadeFilesName), kMadeFilesName, "", false};
  others.push_back(record);
  std::vector<NamedFile> written = outputs;
  std::vector<NamedFile> given;
  for (const std::string& path : {command.JsonPath, command.PagePath}) {
    if (path.empty() || path == "-")
      continue;
    const NamedFile ours{FullPath(path), path, path == command.JsonPath ? "--json" : "--report",
                         false};
    RefuseMissingFolder(ours, run.WorkFolder);
    RequireFile(ours.Path, ours.Shown);
    RefuseWritingOverInput({ours}, others);
    others.push_back(ours);
    given.push_back(ours);
    if (path == command.JsonPath)  // the page guards itself: it knows its own pages
      written.push_back(ours);
  }
  RefuseWritingOverOthers(written, run);
  std::vector<NamedFile> inWorkFolder = outputs;
  inWorkFolder.push_back(record);
  RefuseWritingThroughLinks(inWorkFolder, " in " + run.WorkFolderShown);
  RefuseWritingThroughLinks(given, "");
  // The header options reach the Cabrillo file only through the settings.
  if (!command.Header.empty() && KindOf(settingsPath) != PathKind::kMissing &&
      !CanWriteExisting(settingsPath)) {
    throw InputError(SystemPath(SettingsFile) + " in " + run.WorkFolderShown +
                     " cannot be written (read-only, a folder or held by another program): the "
                     "header options would be lost; nothing was written");
  }
  // Nothing is made before the plug-in has loaded.
  std::unique_ptr<PassReplayer> plugin = LoadReplayer();
  MakeFolders(InFolder(run.WorkFolder, "Plugins"));

  ScoreOutcome& outcome = run.Outcome;
  outcome.LogName = command.LogPath;
  outcome.Format = log.Format;
  outcome.LogContest = log.Contest;
  outcome.CountryFile = countryPath;
  run.CountryFileShown = country.Shown;
  outcome.QsosRead = log.Qsos.size();
  outcome.RecordsSkipped = log.Skipped.size();
  outcome.OutsidePeriod = plan.OutsidePeriod;
  outcome.Reset = plan.Reset;
  outcome.HandedOver = plan.Qsos;
  outcome.Where = plan.Where;
  outcome.DllVersion = ReplayerVersion();

  const std::vector<std::string> made = PathsOf(outputs);
  try {
    Replay(*plugin, plan, command, run);
  } catch (...) {
    RememberMadeFiles(run.WorkFolder, made, notes);
    throw;
  }
  RememberMadeFiles(run.WorkFolder, made, notes);
  return run;
}
