// The names the plug-in's exports are found by: each plain name and the
// decorated name of the host's declaration, read from src/plugin/Stats.def
// when the build is configured, so that they are written there only.
#pragma once

#include <vector>

struct ExportName {
  const char* Plain;      // as exports.h names the function
  const char* Decorated;  // as the host looks it up
};

// All of them, in the order of Stats.def.
const std::vector<ExportName>& ExportNames();
// The decorated name of an export named by its plain name; null when unknown.
const char* DecoratedName(const char* plain);
