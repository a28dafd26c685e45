// The live scoreboard as the page and the JSON show it: the stations' claimed
// scores ranked per category, apart for Japan and the world, and the leaders
// per continent and per Japanese district, each group with its leader's line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "robot/score_store.h"

constexpr int64_t kStaleSeconds = 30 * 60;
// The groups by continent and by district show their leaders; every station
// is ranked in full in its category.
constexpr size_t kLeadersShown = 10;
constexpr size_t kLinePoints = 48;

struct BoardRow {
  int Rank = 0;  // equal scores share a rank
  std::string Call;
  int64_t Qsos = 0;
  int64_t Mults = 0;
  int64_t Score = 0;
  int64_t LastPost = 0;  // UTC seconds
};

struct BoardGroup {
  std::string Title;
  size_t Stations = 0;                 // in the group, shown or not
  std::vector<BoardRow> Rows;          // best first
  std::vector<ScorePoint> LeaderLine;  // at most kLinePoints, oldest first
};

struct BoardSection {
  std::string Id;  // "japan", "world", "continents", "districts"
  std::string Title;
  std::vector<BoardGroup> Groups;
};

struct LiveBoard {
  size_t Stations = 0;
  std::vector<BoardSection> Sections;
};

using HistoryOf = std::function<std::vector<ScorePoint>(const std::string& call)>;

// `standings`: each call's last post. `historyOf` is asked for the leaders only.
LiveBoard MakeLiveBoard(const std::vector<ScorePostRow>& standings, const HistoryOf& historyOf);

bool IsStale(const BoardRow& row, int64_t now);
// "just now", "12 min", "3 h 05 min", "2 days"
std::string AgeText(int64_t seconds);
