// dkz-score's commands, the same on every system once the platform's main has
// set up the streams and taken the arguments: parses the command line, runs
// the command and returns the exit code.
#pragma once

#include <string>
#include <vector>

int RunCommandLine(const std::vector<std::string>& args);
