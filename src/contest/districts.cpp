#include "contest/districts.h"

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
  for (int i = 0; i < kDistrictCount; ++i) {
    if (code == DistrictCodes[i])
      return i;
  }
  return -1;
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
