#include "base/text.h"

#include <cctype>
#include <sstream>

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

std::string Trim(const std::string& text) {
  auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  size_t begin = 0, end = text.size();
  while (begin < end && blank(text[begin]))
    ++begin;
  while (end > begin && blank(text[end - 1]))
    --end;
  return text.substr(begin, end - begin);
}

std::vector<std::string> SplitWords(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;)
    words.push_back(word);
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
