// The sponsor's secret token: kept in a file of the data folder, sent in a
// header or a form field (never in a URL, which logs keep), compared in
// constant time.
#pragma once

#include <string>

// The first line of `path`, trimmed. When the file does not exist it is made
// (mode 0600, never over another file) with a random token, and `made` is set.
// Throws std::runtime_error when it cannot be read or made, or holds a token
// shorter than 16 characters.
std::string LoadSponsorToken(const std::string& path, bool& made);

// 32 random bytes from the kernel as 64 hex digits.
std::string RandomToken();

// Equal tokens, in time that depends on neither token's contents or length.
bool TokenMatches(const std::string& expected, const std::string& given);
