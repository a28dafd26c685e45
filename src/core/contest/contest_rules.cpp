#include "core/contest/contest_rules.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "core/base/text.h"

// clang-format off
const ContestRules kDkzRules = {
    /*Mode=*/"CW",
    /*JapanPrefix=*/"JA",
    /*Bands=*/{{{"160m", 1}, {"80m", 3}, {"40m", 7}, {"20m", 14}, {"15m", 21}, {"10m", 28}}},
    /*RefusedBands=*/{"30m", "17m", "12m"},
    /*FoldedPrefixes=*/{"IT9", "IG9", "IH9"},
    /*FoldedPrefix=*/"I",
    /*NeverValidExchange=*/"599",
    /*MaxNumberDigits=*/4,
    /*Districts=*/{{
        {"AC"}, {"AM"}, {"AT"}, {"CB"}, {"EH"}, {"FI"}, {"FO"}, {"FS"}, {"GF"}, {"GM"}, {"HD"},
        {"HG"}, {"HS"}, {"HY"}, {"IB"}, {"IK"}, {"IR"}, {"IS"}, {"IT"}, {"KA"}, {"KC"}, {"KG"},
        {"KK"}, {"KM"}, {"KN"}, {"KR"}, {"KT"}, {"ME"}, {"MG"}, {"MT"}, {"MZ"}, {"NI"}, {"NM"},
        {"NN"}, {"NR"}, {"NS"}, {"OG"}, {"OH"}, {"OM"}, {"ON"}, {"OS"}, {"OT"}, {"OY"}, {"RM"},
        {"SB"}, {"SC"}, {"SG"}, {"SI"}, {"SN"}, {"SO"}, {"ST"}, {"SY"}, {"TC"}, {"TG"}, {"TK"},
        {"TS"}, {"TT"}, {"TY"}, {"WK"}, {"YG"}, {"YM"}, {"YN"}}},
    /*Continents=*/{{{"EU"}, {"NA"}, {"SA"}, {"AF"}, {"AS"}, {"OC"}}},
    /*JapaneseOperator=*/{/*PointsWithJapanese=*/1, /*PointsWithOthers=*/5,
                          /*ContinentsMultiply=*/true},
    /*OtherOperator=*/{/*PointsWithJapanese=*/1, /*PointsWithOthers=*/0,
                       /*ContinentsMultiply=*/false},
};
// clang-format on

int ContestRules::BandIndexOf(const std::string& band) const {
  for (int b = 0; b < kBandCount; ++b) {
    if (band == Bands[b].Text)
      return b;
  }
  return kNoBand;
}

int ContestRules::BandIndexOfFrequency(double hertz) const {
  if (!std::isfinite(hertz))
    return kNoBand;
  double mhz = std::trunc(hertz / 1000000.0);
  for (int b = 0; b < kBandCount; ++b) {
    if (mhz == Bands[b].WholeMegahertz)
      return b;
  }
  return kNoBand;
}

bool ContestRules::IsRefusedBand(const std::string& band) const {
  for (std::string_view refused : RefusedBands) {
    if (SameShortText(band, refused))
      return true;
  }
  return false;
}

std::string ContestRules::FoldPrefix(const std::string& prefix) const {
  for (std::string_view folded : FoldedPrefixes) {
    if (SameShortText(prefix, folded))
      return std::string(FoldedPrefix);
  }
  return prefix;
}

int ContestRules::DistrictIndexOf(const std::string& code) const {
  if (code.size() != 2)
    return -1;
  // The codes are in byte order: a binary search finds the same entry as a
  // walk from the start, in six steps instead of up to 62. Both sides have
  // two letters, compared as unsigned bytes as std::string does.
  auto byte = [](char c) { return static_cast<unsigned char>(c); };
  auto before = [&](const ContestDistrict& entry, const std::string& text) {
    return byte(entry.Code[0]) != byte(text[0]) ? byte(entry.Code[0]) < byte(text[0])
                                                : byte(entry.Code[1]) < byte(text[1]);
  };
  auto hit = std::lower_bound(Districts.begin(), Districts.end(), code, before);
  return hit != Districts.end() && code[0] == hit->Code[0] && code[1] == hit->Code[1]
             ? static_cast<int>(hit - Districts.begin())
             : -1;
}

bool ContestRules::IsValidExchange(const std::string& exchange,
                                   const std::string& senderPrefix) const {
  if (exchange == NeverValidExchange)
    return false;
  if (IsJapanese(senderPrefix))
    return IsDistrictCode(exchange);
  if (exchange.empty() || exchange.size() > MaxNumberDigits)
    return false;
  for (char c : exchange) {
    if (c < '0' || c > '9')
      return false;
  }
  return true;
}

std::string NormalizeCode(const std::string& exchange) {
  // Trimmed first, which is the same: upper-casing turns no character into
  // white space or out of it.
  return ToUpper(Trim(exchange));
}
