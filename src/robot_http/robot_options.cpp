#include "robot_http/robot_options.h"

// Where the build found the country file (Debian's hamradio-files by default).
const char* const kDefaultCountryFile = DKZ_COUNTRY_FILE;

const char* const kRobotUsage =
    "usage: dkz-robot [--data DIR] [--port N] [--cty FILE]\n"
    "  Receives the contest's logs on http://127.0.0.1:N/ (default 8080), keeping\n"
    "  them in DIR (default robot-data): robot.db, logs/, results/, the sponsor's\n"
    "  token in DIR/sponsor-token and the contest's settings in DIR/robot.conf.\n";

RobotOptions ParseRobotOptions(const std::vector<std::string>& args) {
  RobotOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options.Help = true;
      continue;
    }
    if (arg != "--data" && arg != "--port" && arg != "--cty")
      throw RobotUsageError("unknown argument '" + arg + "'");
    if (i + 1 == args.size() || args[i + 1].empty())
      throw RobotUsageError(arg + " needs a value");
    const std::string& value = args[++i];
    if (arg == "--data") {
      options.DataFolder = value;
    } else if (arg == "--cty") {
      options.CountryFile = value;
    } else {
      if (value.size() > 5 || value.find_first_not_of("0123456789") != std::string::npos ||
          std::stoi(value) > 65535)
        throw RobotUsageError("--port takes a number from 0 to 65535, not '" + value + "'");
      options.Port = std::stoi(value);
    }
  }
  return options;
}
