// Small text helpers shared by the core.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Replaces every non-overlapping occurrence of `from`, scanning left to right;
// replaced text is not searched again. An empty `from` changes nothing.
std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to);

// Removes white space at both ends.
std::string Trim(const std::string& text);

// ASCII letters in upper or lower case; every other byte unchanged.
std::string ToUpper(std::string text);
std::string ToLower(std::string text);
// Case-insensitive comparison of ASCII text.
bool EqualsIgnoreCase(const std::string& a, const std::string& b);

// The words of a line, split at runs of white space; the first `most` of them.
std::vector<std::string> SplitWords(const std::string& text, size_t most = SIZE_MAX);
// How many words SplitWords finds.
size_t CountWords(const std::string& text);

// The lines of a text without their ends (LF or CR LF); nothing follows a
// final LF.
std::vector<std::string> SplitLines(const std::string& text);

// An ASCII control character: C0 (CR, LF and TAB among them) or DEL.
inline bool IsControlCharacter(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

// Every control character replaced by a blank: a field written into a line of
// a file can then never end that line or start another.
std::string BlankControlCharacters(const std::string& text);

// At most `limit` bytes of `text`, cut at a character boundary and marked
// "..." when cut, control characters blanked: a value quoted in a message
// stays one short line whatever was sent.
std::string Clipped(const std::string& text, size_t limit);

// Text argument from the host: a null pointer reads as the empty text.
inline std::string HostText(const char* text) {
  return text ? std::string(text) : std::string();
}
