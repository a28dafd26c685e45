// The 62 district codes that Japanese stations send.
#pragma once

#include <string>

constexpr int kDistrictCount = 62;

// Alphabetical, AC first and YN last; the district window keeps its boxes in this order.
extern const char* const DistrictCodes[kDistrictCount];

// Position of an exact code in DistrictCodes, or -1.
int DistrictIndexOf(const std::string& code);

// Whether the text is one of the codes exactly ("ac" and " AC" are not).
bool FindDistrict(const std::string& code);

// Upper-cases, then trims white space at both ends.
std::string NormalizeCode(const std::string& exchange);
