// Whether and where the plug-in posts its running score: section
// "Scoreboard" of the plug-in's settings file.
//
//   [Scoreboard]
//   Url=https://board.example.org/api/scores   no Url: the plug-in posts nothing
//   Minutes=5                                   at most one post in this many minutes
#pragma once

#include <string>

#include "core/engine/settings.h"

extern const char* const ScoreboardSection;  // "Scoreboard"

struct BoardSettings {
  static constexpr int kDefaultMinutes = 5;
  static constexpr int kFewestMinutes = 2;
  static constexpr int kMostMinutes = 24 * 60;

  std::string Url;  // as written, blanks at either end removed
  int Minutes = kDefaultMinutes;

  bool On() const { return !Url.empty(); }
};

// A missing, empty or unreadable "Minutes" is the default; a number outside
// the bounds is taken as the nearest bound.
BoardSettings ReadBoardSettings(Settings& scoreboardSection);

// Whether `url` can name a board: "http://" or "https://" (any case), a host,
// and no blank or control character anywhere.
bool IsBoardAddress(const std::string& url);
