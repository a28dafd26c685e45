// Small text helpers shared by the core.
#pragma once

#include <string>
#include <vector>

// Replaces every non-overlapping occurrence of `from`, scanning left to right;
// replaced text is not searched again. An empty `from` changes nothing.
std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to);

// Removes white space at both ends.
std::string Trim(const std::string& text);

// The words of a line, split at runs of white space.
std::vector<std::string> SplitWords(const std::string& text);

// Text argument from the host: a null pointer reads as the empty text.
inline std::string HostText(const char* text) {
  return text ? std::string(text) : std::string();
}
