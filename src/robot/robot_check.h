// The sponsor's check run by the robot on the logs that count: the check of
// `dkz-score check` (src/check), with the plug-in's scoring code run
// natively, published as a new folder of results.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "check/check_run.h"
#include "logs/country_file.h"

struct ReceivedLog {
  std::string Name;   // the name the results give it: "000017-JA1ABC.log"
  std::string Bytes;  // as received
};

struct RobotCheckRun {
  int Ranked = 0;
  int NotChecked = 0;                // rejected or superseded
  std::string Period;                // as the check took it
  std::vector<std::string> Files;    // what was written into the folder
  std::vector<std::string> LeftOut;  // logs not checked: their stored file is not whole
};

// Checks `logs` and writes what `dkz-score check` writes into `folder`, which
// must not exist yet, results.html first. Throws StorageError when a file
// cannot be written.
RobotCheckRun RunRobotCheck(const std::vector<ReceivedLog>& logs, const CountryFile& countries,
                            const CheckSettings& settings, const std::string& folder);

// True for a name RunRobotCheck may have written: letters, digits, "_-.",
// not starting with a dot.
bool IsResultFileName(const std::string& name);
