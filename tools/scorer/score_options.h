// The command line of dkz-score.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "replay_plan.h"

// Debian's hamradio-files package installs the AD1C country file here.
extern const char* const kDefaultCountryFile;

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ScoreCommand {
  std::string LogPath;
  std::string CountryFile = kDefaultCountryFile;
  bool CountryFileGiven = false;
  std::string WorkFolder;  // empty: the current folder
  ReplayOptions Replay;
};

struct CommandLine {
  enum class Action { Help, Info, Score };
  Action Do = Action::Help;
  ScoreCommand Score;
};

// `args` without the program name. Throws UsageError for anything it cannot
// take, naming the argument.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

extern const char* const kUsageText;
