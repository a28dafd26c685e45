// The check command: every log of a contest's folder scored and cross-checked
// through one scorer (check_scorer.h), and the results written.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "check/checked_contest.h"
#include "scorer/check_options.h"

struct CheckRun {
  int Ranked = 0;                      // logs in results.csv
  int Evidence = 0;                    // checklogs and logs that scored nothing
  int NotChecked = 0;                  // rejected or superseded files
  std::string Period;                  // the contest period's text
  std::string ResultsFolder;           // full path
  std::vector<std::string> Unwritten;  // "NAME: why", for each result that could not be written
};

// Each file not checked goes to `notes` as well, one line each. Throws
// InputError for a folder that cannot be read or results that may not be
// written (before anything is written), std::runtime_error when the plug-in
// cannot be run. A result that cannot be written is listed in Unwritten; the
// others are written still.
CheckRun RunCheck(const CheckCommand& command, std::ostream& notes);
