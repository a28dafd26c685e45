// The sponsor's check run by the robot on the logs that count: the same
// cross-check and reports as `dkz-score check`, with the plug-in's scoring
// code run natively, published as a new folder of results.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "check_results.h"
#include "country_file.h"

struct ReceivedLog {
  std::string Name;   // the name the results give it: "17-JA1ABC.log"
  std::string Bytes;  // as received
};

struct RobotCheckRun {
  int Checked = 0;
  std::vector<Rejection> Rejected;
  std::vector<std::string> Files;  // what was written into the folder
};

// Writes results.csv, findings.csv, rejected.txt, one CALL.txt per log and
// index.html (run at `at`, UTC seconds) into `folder`, which must not exist
// yet. Throws StorageError when a file cannot be written.
RobotCheckRun RunRobotCheck(const std::vector<ReceivedLog>& logs, const CountryFile& countries,
                            const std::string& folder, int64_t at);

// True for a name RunRobotCheck may have written: letters, digits, "_-.",
// not starting with a dot.
bool IsResultFileName(const std::string& name);
