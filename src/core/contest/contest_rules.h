// The contest's rules in one record: its mode and bands, the exchange, the
// districts and continents, the points of a QSO for each kind of operator,
// the multipliers and the score. Acceptance, removal, the summary and the
// live windows read it, and no rule is written anywhere else. The record
// itself is in contest_rules.cpp. The fuzzer's model (tools/fuzz) states the
// rules a second time, on purpose: a change here is made there too.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

constexpr int kBandCount = 6;
constexpr int kDistrictCount = 62;
constexpr int kContinentCount = 6;
constexpr int kNoBand = -1;

struct ContestBand {
  const char* Text;    // as the host names the band: "160m"
  int WholeMegahertz;  // a frequency is on the band when its whole megahertz are these
};

// A district code that Japanese stations send. Its place in the record is
// its box in the district window, which the plug-in maps to the box's control.
struct ContestDistrict {
  const char* Code;
};

// A continent as the host passes it. Its place in the record is its box in
// the continent window, as for the districts.
struct ContestContinent {
  const char* Text;
};

// Whether two short texts are equal, byte by byte. The record's texts are
// not known where a QSO is judged, and a library call for each comparison of
// two or three bytes would cost more than the bytes (AddData0 is hot).
inline bool SameShortText(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i])
      return false;
  }
  return true;
}

// What one kind of operator scores.
struct OperatorRules {
  int PointsWithJapanese;   // a QSO with a Japanese station
  int PointsWithOthers;     // a QSO with anyone else; 0: stored, but it never counts
  bool ContinentsMultiply;  // the continents worked on each band are multipliers too

  int PointsFor(bool workedJapanese) const {
    return workedJapanese ? PointsWithJapanese : PointsWithOthers;
  }
};

// The texts that are only compared are views: a QSO is judged against them
// without measuring them again.
struct ContestRules {
  std::string_view Mode;         // the one mode of the contest; QSOs in others are refused
  std::string_view JapanPrefix;  // the country prefix of a Japanese station, exactly
  // The bands in band order; a band's place here is its index in every
  // per-band table. Other band texts are stored and scored as they come,
  // except the refused ones.
  std::array<ContestBand, kBandCount> Bands;
  std::array<std::string_view, 3> RefusedBands;
  // Prefixes stored as FoldedPrefix: different prefixes of one country.
  std::array<std::string_view, 3> FoldedPrefixes;
  std::string_view FoldedPrefix;
  std::string_view NeverValidExchange;  // whoever sends it
  size_t MaxNumberDigits;  // a number sent by a station outside Japan: 1 to this many digits
  std::array<ContestDistrict, kDistrictCount> Districts;  // two letters each, in byte order
  std::array<ContestContinent, kContinentCount> Continents;
  OperatorRules JapaneseOperator;
  OperatorRules OtherOperator;

  bool IsJapanese(std::string_view prefix) const { return SameShortText(prefix, JapanPrefix); }
  const OperatorRules& OperatorOf(const std::string& ownPrefix) const {
    return IsJapanese(ownPrefix) ? JapaneseOperator : OtherOperator;
  }
  // The points of a QSO that counts, by the operator's prefix and the
  // worked station's (folded) prefix.
  int QsoPoints(const std::string& ownPrefix, const std::string& workedPrefix) const {
    return OperatorOf(ownPrefix).PointsFor(IsJapanese(workedPrefix));
  }
  // The multipliers are the districts worked on each band, for every
  // operator, plus the continents worked on each band where they multiply.
  long long Score(long long points, long long multipliers) const { return points * multipliers; }

  // Index of a band text, exact and case-sensitive; kNoBand when none matches.
  int BandIndexOf(const std::string& band) const;
  // Band of a frequency by its whole megahertz; kNoBand when none matches.
  int BandIndexOfFrequency(double hertz) const;
  bool IsRefusedBand(const std::string& band) const;
  std::string FoldPrefix(const std::string& prefix) const;
  // Position of an exact code in Districts ("ac" and " AC" are none), or -1.
  int DistrictIndexOf(const std::string& code) const;
  bool IsDistrictCode(const std::string& code) const { return DistrictIndexOf(code) >= 0; }
  // NeverValidExchange is never valid; a Japanese sender's exchange is an
  // exact district code, anyone else's a number of ASCII digits.
  bool IsValidExchange(const std::string& exchange, const std::string& senderPrefix) const;
};

// The rules of the DKZ contest, which the plug-in scores by.
extern const ContestRules kDkzRules;

// A received exchange as the district codes are written: upper-cased, then
// trimmed of white space at both ends.
std::string NormalizeCode(const std::string& exchange);
