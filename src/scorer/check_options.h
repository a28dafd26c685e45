// The command line of `dkz-score check`: a contest's folder of logs in, a
// folder of results out.
#pragma once

#include <string>
#include <vector>

struct CheckCommand {
  std::string LogFolder;
  std::string ResultsFolder;
  std::string CountryFile;  // empty: the scorer's default
  int Minutes = 3;          // how far apart two logs' times of one QSO may be
};

// `args` after the word "check". Throws UsageError naming what it cannot take.
CheckCommand ParseCheckCommand(const std::vector<std::string>& args);

extern const char* const kCheckUsageText;
