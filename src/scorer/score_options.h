// The command line of dkz-score.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "core/cabrillo/cabrillo_log.h"
#include "logs/replay_plan.h"
#include "native_plugin/pass_replayer.h"
#include "scorer/check_options.h"

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ScoreCommand {
  std::string LogPath;
  std::string CountryFile;  // --cty; empty: cty.dat beside the executable
  std::string WorkFolder;   // empty: the current folder
  std::string JsonPath;     // empty: none; "-": standard output
  std::string PagePath;     // --report: the report page to write; empty: none
  ReplayOptions Replay;     // --cabrillo sets its report flag
  // Boxes of the header dialog to fill in, in command-line order; every other
  // box keeps what the plug-in shows (the stored header).
  std::vector<HeaderEntry> Header;
};

// What dkz-score exits with.
enum ExitCode {
  kExitOk = 0,
  kExitFailed = 1,        // unusable input, or a file that could not be written
  kExitCommandLine = 2,   // a wrong command line
  kExitNothingStored = 3  // the plug-in stored none of the QSOs
};

struct CommandLine {
  enum class Action { Help, Version, Info, Score, Check };
  Action Do = Action::Help;
  ScoreCommand Score;
  CheckCommand Check;
};

// `args` without the program name. Throws UsageError for anything it cannot
// take, naming the argument.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

extern const char* const kUsageText;

// The date of option `name` ("--from"); throws UsageError for anything but YYYY-MM-DD.
CalendarTime DateOption(const std::string& name, const std::string& value);
