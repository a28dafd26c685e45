#include "logs/reading_notes.h"

#include "logs/limited_messages.h"

std::vector<std::string> LimitEachKind(const std::vector<std::string>& messages, size_t perKind) {
  LimitedMessages limited(perKind);
  for (const std::string& message : messages)
    limited.Add(message);
  return limited.Lines(perKind);
}

std::vector<std::string> ReadingNotes(const LogContents& log) {
  std::vector<std::string> lines = log.Skipped.Lines(kReadingNotesPerKind);
  lines.insert(lines.end(), log.Notes.begin(), log.Notes.end());
  return lines;
}
