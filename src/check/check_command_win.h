// The check command: every log of a contest's folder scored and cross-checked
// through one loaded Stats.dll, and the results written.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "check_options.h"
#include "check_results.h"

struct CheckRun {
  int Checked = 0;  // logs in the results
  std::vector<Rejection> Rejected;
  std::string ResultsFolder;  // full path
};

// Each rejected log goes to `notes` as well, one line each. Throws InputError
// for a folder that cannot be read or results that may not be written (before
// anything is written), std::runtime_error when the plug-in cannot be run or a
// result cannot be written.
CheckRun RunCheck(const CheckCommand& command, std::ostream& notes);
