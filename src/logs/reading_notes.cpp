#include "reading_notes.h"

#include <cctype>
#include <map>

namespace {

bool IsAlphanumeric(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

// The message with each number and each quoted value replaced by one mark.
// A quote opens after a blank or a bracket only: "contest's" quotes nothing.
std::string KindOf(const std::string& message) {
  std::string kind;
  bool quoted = false;
  for (size_t i = 0; i < message.size(); ++i) {
    char c = message[i];
    if (c == '\'' && (quoted || i == 0 || !IsAlphanumeric(message[i - 1]))) {
      if (!quoted)
        kind += "'?'";
      quoted = !quoted;
    } else if (quoted) {
      continue;
    } else if (c >= '0' && c <= '9') {
      if (kind.empty() || kind.back() != '#')
        kind += '#';
    } else {
      kind += c;
    }
  }
  return kind;
}

}  // namespace

std::vector<std::string> LimitEachKind(const std::vector<std::string>& messages, size_t perKind) {
  std::map<std::string, size_t> total, shown;
  for (const std::string& message : messages)
    ++total[KindOf(message)];
  std::vector<std::string> lines;
  for (const std::string& message : messages) {
    std::string kind = KindOf(message);
    size_t& count = shown[kind];
    if (++count > perKind)
      continue;
    lines.push_back(message);
    size_t all = total[kind];
    if (count == perKind && all > perKind) {
      lines.push_back("  ... and " + std::to_string(all - perKind) +
                      " more like the one above, not shown (" + std::to_string(all) + " in all)");
    }
  }
  return lines;
}

std::vector<std::string> ReadingNotes(const LogContents& log) {
  std::vector<std::string> lines = LimitEachKind(log.Skipped);
  lines.insert(lines.end(), log.Notes.begin(), log.Notes.end());
  return lines;
}
