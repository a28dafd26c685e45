#include "contest/districts.h"

#include <algorithm>
#include <cctype>

#include "base/text.h"

const char* const DistrictCodes[kDistrictCount] = {
    "AC", "AM", "AT", "CB", "EH", "FI", "FO", "FS", "GF", "GM", "HD", "HG", "HS", "HY", "IB", "IK",
    "IR", "IS", "IT", "KA", "KC", "KG", "KK", "KM", "KN", "KR", "KT", "ME", "MG", "MT", "MZ", "NI",
    "NM", "NN", "NR", "NS", "OG", "OH", "OM", "ON", "OS", "OT", "OY", "RM", "SB", "SC", "SG", "SI",
    "SN", "SO", "ST", "SY", "TC", "TG", "TK", "TS", "TT", "TY", "WK", "YG", "YM", "YN"};

int DistrictIndexOf(const std::string& code) {
  if (code.size() != 2)
    return -1;
  // The table is in alphabetical order: a binary search finds the same entry
  // as a walk from the start, in six steps instead of up to 62.
  auto less = [](const char* entry, const std::string& text) { return text.compare(entry) > 0; };
  const char* const* end = DistrictCodes + kDistrictCount;
  const char* const* hit = std::lower_bound(DistrictCodes, end, code, less);
  return hit != end && code == *hit ? static_cast<int>(hit - DistrictCodes) : -1;
}

bool FindDistrict(const std::string& code) {
  return DistrictIndexOf(code) >= 0;
}

std::string NormalizeCode(const std::string& exchange) {
  std::string upper = exchange;
  for (char& c : upper)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return Trim(upper);
}
