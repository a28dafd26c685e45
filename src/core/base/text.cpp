#include "core/base/text.h"

#include <algorithm>
#include <cctype>

std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to) {
  if (from.empty() || from == to)
    return text;
  std::string out;
  out.reserve(text.size());
  size_t start = 0;
  for (size_t hit; (hit = text.find(from, start)) != std::string::npos; start = hit + from.size()) {
    out.append(text, start, hit - start);
    out += to;
  }
  out.append(text, start, std::string::npos);
  return out;
}

namespace {

bool IsBlank(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

std::string Trim(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin]))
    ++begin;
  while (end > begin && IsBlank(text[end - 1]))
    --end;
  return text.substr(begin, end - begin);
}

std::string ToUpper(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string ToLower(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool EqualsIgnoreCase(const std::string& a, const std::string& b) {
  // Without copies: a reader asks this of every field of a file.
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

std::vector<std::string> SplitWords(const std::string& text, size_t most) {
  // By hand, not through a stream: a contest check splits every QSO line of a thousand logs.
  std::vector<std::string> words;
  for (size_t i = 0; i < text.size() && words.size() < most;) {
    while (i < text.size() && IsBlank(text[i]))
      ++i;
    size_t start = i;
    while (i < text.size() && !IsBlank(text[i]))
      ++i;
    if (i > start)
      words.emplace_back(text, start, i - start);
  }
  return words;
}

size_t CountWords(const std::string& text) {
  size_t words = 0;
  for (size_t i = 0; i < text.size(); ++i)
    words += !IsBlank(text[i]) && (i == 0 || IsBlank(text[i - 1]));
  return words;
}

std::string BlankControlCharacters(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (IsControlCharacter(c))
      c = ' ';
  }
  return out;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos)
      end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (!lines.back().empty() && lines.back().back() == '\r')
      lines.back().pop_back();
    start = end + 1;
  }
  return lines;
}

std::string Clipped(const std::string& text, size_t limit) {
  if (text.size() <= limit)
    return BlankControlCharacters(text);
  size_t cut = limit;
  // Back off over UTF-8 continuation bytes so that no character is split.
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
    --cut;
  return BlankControlCharacters(text.substr(0, cut)) + "...";
}
