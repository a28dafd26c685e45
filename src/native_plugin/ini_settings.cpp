#include "native_plugin/ini_settings.h"

#include <vector>

#include "core/base/text.h"
#include "files/file_access.h"
#include "files/file_writer.h"

namespace {

const char* const kBlanks = " \t\r\n";

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string::npos)
    return "";
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos)
      end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// "[name]" gives name; other lines give nothing.
bool SectionLine(const std::string& line, std::string& name) {
  const std::string trimmed = Trimmed(line);
  if (trimmed.size() < 2 || trimmed.front() != '[')
    return false;
  const size_t close = trimmed.find(']');
  name = Trimmed(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
  return true;
}

// "key = value" gives key; a line without "=" gives nothing.
bool KeyLine(const std::string& line, std::string& key, std::string& value) {
  const size_t equals = line.find('=');
  if (equals == std::string::npos)
    return false;
  key = Trimmed(line.substr(0, equals));
  value = Trimmed(line.substr(equals + 1));
  return true;
}

struct Place {
  bool SectionFound = false;
  size_t KeyLine = std::string::npos;  // the key's line
  size_t AfterSection = 0;             // after the section's last line that is not blank
};

Place FindKey(const std::vector<std::string>& lines, const std::string& section,
              const std::string& key) {
  Place place;
  bool inSection = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string name, k, v;
    if (SectionLine(lines[i], name)) {
      inSection = !place.SectionFound && EqualsIgnoreCase(name, section);
      if (inSection) {
        place.SectionFound = true;
        place.AfterSection = i + 1;
      }
      continue;
    }
    if (!inSection)
      continue;
    if (!Trimmed(lines[i]).empty())
      place.AfterSection = i + 1;
    if (place.KeyLine == std::string::npos && KeyLine(lines[i], k, v) && EqualsIgnoreCase(k, key))
      place.KeyLine = i;
  }
  return place;
}

}  // namespace

std::string ProfileValue(const std::string& text, const std::string& section,
                         const std::string& key, const std::string& fallback) {
  const std::vector<std::string> lines = LinesOf(text);
  const Place place = FindKey(lines, section, key);
  std::string value = fallback;
  if (place.KeyLine != std::string::npos) {
    std::string k;
    KeyLine(lines[place.KeyLine], k, value);
    // A value in quotes is read without them.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
      value = value.substr(1, value.size() - 2);
  } else {
    value = value.substr(0, value.find_last_not_of(' ') + 1);
  }
  return value.substr(0, 99);  // the plug-in reads into 100 characters
}

std::string WithProfileValue(const std::string& text, const std::string& section,
                             const std::string& key, const std::string& value) {
  std::vector<std::string> lines = LinesOf(text);
  const Place place = FindKey(lines, section, key);
  const size_t start = value.find_first_not_of(" \t");
  const std::string line = key + "=" + (start == std::string::npos ? "" : value.substr(start));
  if (place.KeyLine != std::string::npos) {
    lines[place.KeyLine] = line;
  } else if (place.SectionFound) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place.AfterSection), line);
  } else {
    lines.push_back("[" + section + "]");
    lines.push_back(line);
  }
  std::string result;
  for (const std::string& each : lines)
    result += each + "\r\n";
  return result;
}

std::string IniFileSettings::ReadText(const char* key, const std::string& fallback) {
  std::string text;
  ReadShared(path_, text);
  return ProfileValue(text, SettingsSection, key, fallback);
}

bool IniFileSettings::WriteText(const char* key, const std::string& value) {
  std::string text;
  ReadShared(path_, text);
  std::string reason;
  return WriteFileWhole(path_, WithProfileValue(text, SettingsSection, key, value), reason);
}
