// The scorer's file edges that only Windows has: its command line in wide
// text, and version resources.
#pragma once

#include <string>
#include <vector>

#include "files/file_access.h"

// The command line as UTF-8 arguments, without the program name.
std::vector<std::string> CommandLineArguments();

// "1.1.0.0"; empty when the file has no version information.
std::string FileVersionOf(const std::string& path);
