// The Cabrillo header of an uploaded log as the robot reads it at the door:
// the tags it knows, the nearest known tag for a misspelt one, the category
// values and combinations this contest allows.
#pragma once

#include <map>
#include <string>
#include <vector>

struct CabrilloHeader {
  bool StartOfLog = false;
  bool EndOfLog = false;
  // The first value of each known tag, by tag ("CATEGORY-BAND" -> "40M").
  std::map<std::string, std::string> Values;
  // Lines of the header that are wrong: "line 4: unknown tag ...".
  std::vector<std::string> Faults;
};

// Reads every "TAG: value" line up to END-OF-LOG; QSO lines are the reader's.
CabrilloHeader ReadCabrilloHeader(const std::string& text);

// The known tag nearest to `tag` (at most two edits away); empty when none is.
std::string NearestTag(const std::string& tag);

// True for "DKZ" and names that begin with "DKZ-", case aside.
bool IsThisContest(const std::string& contestName);

struct CategoryReading {
  std::string Code;  // "SINGLE-OP ALL LOW", the header's words; empty when none
  std::string Text;  // "single operator, all bands, low power"
  std::string Band;  // "40m" for a single-band entry, empty for all bands
  bool Checklog = false;
  std::vector<std::string> Faults;  // values or combinations this contest does not allow
};

// The entry's category from the header's CATEGORY- tags.
CategoryReading ReadCategory(const CabrilloHeader& header);
