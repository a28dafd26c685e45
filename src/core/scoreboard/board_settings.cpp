#include "core/scoreboard/board_settings.h"

#include <algorithm>

#include "core/base/text.h"

const char* const ScoreboardSection = "Scoreboard";

namespace {

int MinutesOf(const std::string& text) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
    return BoardSettings::kDefaultMinutes;
  return std::clamp(std::stoi(text), BoardSettings::kFewestMinutes, BoardSettings::kMostMinutes);
}

}  // namespace

BoardSettings ReadBoardSettings(Settings& scoreboardSection) {
  BoardSettings board;
  board.Url = Trim(scoreboardSection.ReadText("Url"));
  // Off, a reset reads no more than this one key.
  if (board.On())
    board.Minutes = MinutesOf(Trim(scoreboardSection.ReadText("Minutes")));
  return board;
}

bool IsBoardAddress(const std::string& url) {
  std::string rest;
  for (const char* scheme : {"http://", "https://"}) {
    const size_t length = std::char_traits<char>::length(scheme);
    if (url.size() > length && EqualsIgnoreCase(url.substr(0, length), scheme))
      rest = url.substr(length);
  }
  if (rest.empty() || rest.front() == '/' || rest.front() == ':')
    return false;
  return std::none_of(rest.begin(), rest.end(),
                      [](char c) { return c == ' ' || IsControlCharacter(c); });
}
