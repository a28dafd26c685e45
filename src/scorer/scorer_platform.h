// What dkz-score says differently on each system: the versions, what the
// plug-in offers, and the help's words for where the plug-in and the country
// file are (scorer_platform_win.cpp, scorer_platform_posix.cpp).
#pragma once

#include <string>

int PrintVersion();
int PrintInfo();

// The help text as this build says it.
std::string ThisBuildsWords(const std::string& help);
