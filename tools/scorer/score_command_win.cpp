#include "score_command_win.h"

#include <windows.h>

#include <stdexcept>

#include "country_file.h"
#include "log_file.h"
#include "plugin_host.h"
#include "reading_report.h"
#include "replay_plan.h"

namespace {

// Relative to the folder the user started us in: resolved before we move.
std::string FullPath(const std::string& path) {
  char buffer[MAX_PATH * 4];
  DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
  if (length == 0 || length >= sizeof buffer)
    throw InputError("cannot use the path " + path);
  return std::string(buffer, length);
}

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Makes a folder and any missing parents.
void MakeFolder(const std::string& path) {
  for (size_t slash = path.find_first_of("\\/", 3); slash != std::string::npos;
       slash = path.find_first_of("\\/", slash + 1)) {
    CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
  }
  CreateDirectoryA(path.c_str(), nullptr);
  if (!IsFolder(path))
    throw std::runtime_error("cannot make the folder " + path);
}

// The host's current folder for the plug-in's relative file names, for the
// length of the replay.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& path) {
    char previous[MAX_PATH * 4] = {};
    GetCurrentDirectoryA(sizeof previous, previous);
    previous_ = previous;
    if (!SetCurrentDirectoryA(path.c_str()))
      throw std::runtime_error("cannot work in the folder " + path);
  }
  ~CurrentFolder() { SetCurrentDirectoryA(previous_.c_str()); }
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

 private:
  std::string previous_;
};

}  // namespace

ScoreRun RunScore(const ScoreCommand& command, std::ostream& notes) {
  // Read and check all input before anything is written.
  std::string countryPath = FullPath(command.CountryFile);
  std::string besideUs = ExecutableFolder() + "\\cty.dat";
  if (!command.CountryFileGiven && IsFile(besideUs))
    countryPath = besideUs;
  LogContents log = ReadLogFile(FullPath(command.LogPath), command.LogPath);
  for (const std::string& line : ReadingReport(log))
    notes << line << "\n";
  std::string countryName = command.CountryFileGiven ? command.CountryFile : countryPath;
  CountryFile countries = CountryFile::Parse(ReadTextFile(countryPath, countryName), countryName);
  ReplayPlan plan = PlanReplay(log, countries, command.Replay, command.LogPath);
  for (const std::string& note : plan.Notes)
    notes << note << "\n";

  ScoreRun run;
  run.WorkFolder = FullPath(command.WorkFolder.empty() ? "." : command.WorkFolder);
  MakeFolder(run.WorkFolder + "\\Plugins");
  ScoreOutcome& outcome = run.Outcome;
  outcome.LogName = command.LogPath;
  outcome.Format = log.Format;
  outcome.QsosRead = log.Qsos.size();
  outcome.RecordsSkipped = log.Skipped.size();
  outcome.Reset = plan.Reset;

  CurrentFolder folder(run.WorkFolder);
  PluginHost plugin;
  const bool report = plan.Reset.ReportFlag != 0;
  if (report)
    ResetConfirmingHeader(plugin, plan.Reset, command.Header);
  else
    plugin.ResetStats0(plan.Reset);
  for (const QsoInput& qso : plan.Qsos) {
    if (plugin.AddData0(qso) == 1)
      ++outcome.Stored;
    else
      ++outcome.Refused;
  }
  if (report) {
    run.Cabrillo.emplace();
    outcome.Summary = SummaryWritingCabrillo(plugin, *run.Cabrillo);
  } else {
    outcome.Summary = plugin.GetResult0();
  }
  return run;
}
