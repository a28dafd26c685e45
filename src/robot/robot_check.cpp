#include "robot_check.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <map>

#include "check_tables.h"
#include "entrant_letter.h"
#include "entrant_page.h"
#include "file_writer.h"
#include "native_pass.h"
#include "results_page.h"
#include "storage_error.h"

const char* const kPublishedPage = "results.html";

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
  // The logs as the robot holds them: one per station already, so that the
  // check's choice of the newest has nothing to choose.
  std::vector<ReceivedFile> files;
  std::map<std::string, const std::string*> bytes;
  for (const ReceivedLog& log : logs) {
    files.push_back({log.Name, log.Bytes.size(), 0});
    bytes[log.Name] = &log.Bytes;
  }
  NativeScorer scorer;
  CheckedContest contest = CheckSubmissions(
      files, [&bytes](const ReceivedFile& file) { return *bytes.at(file.Name); }, countries,
      settings, scorer);
  if (mkdir(folder.c_str(), 0755) != 0)
    throw StorageError("cannot make " + folder + ": " + strerror(errno));
  // What `dkz-score check` writes, under the same names.
  NameLetters(contest.Entrants, {"results", "entrants", "findings", "received",
                                 "stations-without-log", "rejected", "sponsor-table"});
  std::vector<std::pair<std::string, std::string>> outputs = {
      {kPublishedPage, ResultsPage(contest)},
      {"results.csv", ResultsCsv(contest)},
      {"entrants.csv", EntrantsCsv(contest)},
      {"findings.csv", FindingsCsv(contest)},
      {"received.csv", ReceivedCsv(contest)},
      {"stations-without-log.csv", StationsWithoutLogCsv(contest)},
      {"rejected.txt", RejectedText(contest)},
      {"sponsor-table.txt", settings.Table.Text()},
  };
  for (size_t e = 0; e < contest.Entrants.size(); ++e) {
    const std::string& name = contest.Entrants[e].LetterName;
    outputs.push_back({name + ".txt", EntrantLetter(contest, static_cast<int>(e))});
    outputs.push_back({name + ".html", EntrantPage(contest, static_cast<int>(e))});
  }
  RobotCheckRun run;
  for (const auto& [name, text] : outputs) {
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
