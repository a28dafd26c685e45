#include "reading_report.h"

#include <map>

namespace {

// The message with each number and each quoted value replaced by one mark.
std::string KindOf(const std::string& message) {
  std::string kind;
  bool quoted = false;
  for (char c : message) {
    if (c == '\'') {
      quoted = !quoted;
      kind += quoted ? "'?" : "";
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

std::vector<std::string> ReadingReport(const LogContents& log) {
  std::vector<std::string> lines = LimitEachKind(log.Skipped);
  lines.insert(lines.end(), log.Notes.begin(), log.Notes.end());
  return lines;
}
