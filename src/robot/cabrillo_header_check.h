// The Cabrillo header of an uploaded log as the robot reads it at the door,
// beyond what the check reads of it: the tags it knows, the nearest known tag
// for a misspelt one, the category values and combinations this contest allows.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "logs/limited_messages.h"

struct CabrilloHeader {
  bool StartOfLog = false;
  bool EndOfLog = false;
  // The first value of each known tag, by tag ("CATEGORY-BAND" -> "40M").
  std::map<std::string, std::string> Values;
  // Lines of the header that are wrong: "line 4: unknown tag ..." (the first
  // few of each kind kept, every one counted).
  LimitedMessages Faults;
};

// Reads every "TAG: value" line up to END-OF-LOG; QSO lines are the reader's.
CabrilloHeader ReadCabrilloHeader(const std::string& text);

// The known tag nearest to `tag` (at most two edits away); empty when none is.
std::string NearestTag(const std::string& tag);

// Category values this contest does not take, and combinations that do not
// go together (a MULTI-OP entry without its transmitters): what the
// sponsor's table, which only finds no category for them, cannot say.
std::vector<std::string> CategoryFaults(const CabrilloHeader& header);
