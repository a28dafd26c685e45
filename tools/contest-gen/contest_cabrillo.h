// A generated log as the Cabrillo 3.0 file the plug-in would have written.
#pragma once

#include <string>

#include "contest_world.h"

std::string CabrilloText(const GeneratedLog& log);

// The line number of the first QSO line in such a file.
int FirstQsoLine();

// The file's name by the plug-in's rule: "JA1ABC.cbr".
std::string CabrilloFileName(const std::string& call);
