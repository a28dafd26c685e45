// The contest's rules: mode, the Japanese prefix, prefix aliases, exchange
// validity and QSO points.
#pragma once

#include <string>
#include <string_view>

inline constexpr std::string_view kContestMode = "CW";
inline constexpr std::string_view kJapanPrefix = "JA";
extern const char* const Continents[6];  // "EU", "NA", "SA", "AF", "AS", "OC"

inline bool IsJapanese(const std::string& prefix) {
  return prefix == kJapanPrefix;
}

// "IT9", "IG9" and "IH9" are stored as "I"; every other prefix unchanged.
std::string FoldPrefix(const std::string& prefix);

// "599" is never valid; a Japanese sender's exchange is an exact district code,
// anyone else's one to four ASCII digits.
bool IsValidExchange(const std::string& exchange, const std::string& senderPrefix);

// Points of a QSO that counts: 1 with a Japanese station, 5 for a Japanese
// operator with anyone else, 0 when neither side is Japanese.
int QsoPoints(const std::string& ownPrefix, const std::string& workedPrefix);
