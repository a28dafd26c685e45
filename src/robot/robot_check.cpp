#include "robot/robot_check.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <memory>

#include "check/check_outputs.h"
#include "check/interned_text.h"
#include "files/file_writer.h"
#include "native_plugin/native_pass.h"
#include "robot/storage_error.h"

namespace {

// Through the tools' one writer; the folder is new, so nothing is replaced.
void WriteResult(const std::string& folder, const std::string& name, const std::string& text) {
  std::string why;
  if (!WriteFileWhole(folder + "/" + name, text, why))
    throw StorageError("cannot write " + folder + "/" + name + ": " + why);
}

}  // namespace

bool IsResultFileName(const std::string& name) {
  return !name.empty() && name.size() <= 120 && name[0] != '.' &&
         name.find_first_not_of(
             "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_-.") ==
             std::string::npos;
}

RobotCheckRun RunRobotCheck(const std::vector<ReceivedLog>& logs, const CountryFile& countries,
                            const CheckSettings& settings, const std::string& folder) {
  TextPoolScope texts;  // freed when the run ends: the robot runs for the whole contest
  // The logs as the robot holds them: one per station already, so that the
  // check's choice of the newest has nothing to choose.
  std::vector<ReceivedFile> files;
  std::map<std::string, const std::string*> bytes;
  for (const ReceivedLog& log : logs) {
    files.push_back({log.Name, log.Bytes.size(), 0});
    bytes[log.Name] = &log.Bytes;
  }
  OutputsInMemory outputs(settings.Table, {});
  CheckedContest contest = CheckSubmissions(
      files, [&bytes](const ReceivedFile& file) { return *bytes.at(file.Name); }, countries,
      settings, [](int) { return std::make_unique<NativeScorer>(); }, outputs);
  if (mkdir(folder.c_str(), 0700) != 0)
    throw StorageError("cannot make " + folder + ": " + strerror(errno));
  // What `dkz-score check` writes, under the same names.
  RobotCheckRun run;
  for (const auto& [name, text] : outputs.Files) {
    WriteResult(folder, name, text);
    run.Files.push_back(name);
  }
  for (const Receipt& r : contest.Received) {
    if (r.Status == ReceiptStatus::kRejected || r.Status == ReceiptStatus::kSuperseded)
      ++run.NotChecked;
    else if (r.Status == ReceiptStatus::kChecked)
      ++run.Ranked;
  }
  run.Period = contest.Period.Text();
  return run;
}
