#include "core/contest/districts.h"

#include <algorithm>
#include <cctype>

#include "core/base/text.h"

const char* const DistrictCodes[kDistrictCount] = {
    "AC", "AM", "AT", "CB", "EH", "FI", "FO", "FS", "GF", "GM", "HD", "HG", "HS", "HY", "IB", "IK",
    "IR", "IS", "IT", "KA", "KC", "KG", "KK", "KM", "KN", "KR", "KT", "ME", "MG", "MT", "MZ", "NI",
    "NM", "NN", "NR", "NS", "OG", "OH", "OM", "ON", "OS", "OT", "OY", "RM", "SB", "SC", "SG", "SI",
    "SN", "SO", "ST", "SY", "TC", "TG", "TK", "TS", "TT", "TY", "WK", "YG", "YM", "YN"};

int DistrictIndexOf(const std::string& code) {
  if (code.size() != 2)
    return -1;
  // The table is in alphabetical order: a binary search finds the same entry
  // as a walk from the start, in six steps instead of up to 62. Both sides
  // have two letters, compared as unsigned bytes as std::string does.
  auto less = [](const char* entry, const std::string& text) {
    auto byte = [](char c) { return static_cast<unsigned char>(c); };
    return byte(entry[0]) != byte(text[0]) ? byte(entry[0]) < byte(text[0])
                                           : byte(entry[1]) < byte(text[1]);
  };
  const char* const* end = DistrictCodes + kDistrictCount;
  const char* const* hit = std::lower_bound(DistrictCodes, end, code, less);
  return hit != end && code[0] == (*hit)[0] && code[1] == (*hit)[1]
             ? static_cast<int>(hit - DistrictCodes)
             : -1;
}

bool FindDistrict(const std::string& code) {
  return DistrictIndexOf(code) >= 0;
}

std::string NormalizeCode(const std::string& exchange) {
  // Trimmed first, which is the same: upper-casing turns no character into
  // white space or out of it.
  std::string code = Trim(exchange);
  for (char& c : code)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return code;
}
