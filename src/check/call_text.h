// How calls, bands and exchanges from different logs are compared.
#pragma once

#include <string>

// Upper case, blanks at both ends removed: the form calls and bands are matched in.
std::string MatchForm(const std::string& text);

// Trimmed, case-insensitive, and a number's leading zeros do not count ("007" is "7").
bool SameExchange(const std::string& received, const std::string& sent);

// Whether one character changed, added or dropped turns one text into the other.
bool OneEditApart(const std::string& a, const std::string& b);
