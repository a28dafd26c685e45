// How calls, bands and exchanges from different logs are compared.
#pragma once

#include <cstddef>
#include <string>

// No call on the air is longer: a prefix, a call and two designators
// ("VP2E/JA1ABC/QRP" has 15). Longer text is not looked at as a call.
constexpr size_t kLongestCall = 24;

// An entrant's own call, case aside: at most kLongestCall letters, digits and
// '/', a digit among them (every callsign has one: "RESULTS" is none).
bool IsCallsign(const std::string& call);

// Upper case, blanks at both ends removed: the form calls and bands are matched in.
std::string MatchForm(const std::string& text);

// Trimmed, case-insensitive, and a number's leading zeros do not count ("007" is "7").
bool SameExchange(const std::string& received, const std::string& sent);

// Whether one character changed, added or dropped turns one text into the other.
bool OneEditApart(const std::string& a, const std::string& b);
