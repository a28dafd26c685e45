// The command line of dkz-robot.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// Debian's hamradio-files package installs the AD1C country file here.
extern const char* const kDefaultCountryFile;

struct RobotOptions {
  std::string DataFolder = "robot-data";
  int Port = 8080;
  std::string CountryFile = kDefaultCountryFile;
  bool Help = false;
};

class RobotUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// `args` without the program name. Throws RobotUsageError naming what it cannot take.
RobotOptions ParseRobotOptions(const std::vector<std::string>& args);

extern const char* const kRobotUsage;
