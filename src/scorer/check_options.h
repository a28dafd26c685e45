// The command line of `dkz-score check`: a contest's folder of logs in, a
// folder of results out.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/base/date_time.h"

struct CheckCommand {
  std::string LogFolder;
  std::string ResultsFolder;
  std::string CountryFile;               // empty: the scorer's default
  std::string TableFile;                 // empty: the built-in sponsor's table
  int Minutes = 3;                       // how far apart two logs' times of one QSO may be
  std::optional<CalendarTime> From, To;  // the contest's days, UTC
};

// `args` after the word "check". Throws UsageError naming what it cannot take.
CheckCommand ParseCheckCommand(const std::vector<std::string>& args);

extern const char* const kCheckUsageText;
