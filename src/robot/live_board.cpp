#include "robot/live_board.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

using GroupKey = std::function<std::string(const ScorePostRow&)>;

std::string CategoryTitle(const ScorePostRow& row) {
  return row.Category.empty() ? "No category of the sponsor's table"
                              : row.Category + " \u2013 " + row.CategoryTitle;
}

// At most `most` points, evenly spread, the first and the last among them.
std::vector<ScorePoint> Thinned(const std::vector<ScorePoint>& points, size_t most) {
  if (points.size() <= most)
    return points;
  std::vector<ScorePoint> kept;
  for (size_t i = 0; i < most; ++i)
    kept.push_back(points[i * (points.size() - 1) / (most - 1)]);
  return kept;
}

BoardGroup MakeGroup(const std::string& title, std::vector<const ScorePostRow*> rows, size_t shown,
                     const HistoryOf& historyOf) {
  std::sort(rows.begin(), rows.end(), [](const ScorePostRow* a, const ScorePostRow* b) {
    return a->Score != b->Score ? a->Score > b->Score : a->Call < b->Call;
  });
  BoardGroup group;
  group.Title = title;
  group.Stations = rows.size();
  for (size_t i = 0; i < rows.size() && i < shown; ++i) {
    const ScorePostRow& row = *rows[i];
    int rank =
        i > 0 && rows[i - 1]->Score == row.Score ? group.Rows.back().Rank : static_cast<int>(i) + 1;
    group.Rows.push_back({rank, row.Call, row.Qsos, row.Mults, row.Score, row.Received});
  }
  if (!group.Rows.empty())
    group.LeaderLine = Thinned(historyOf(group.Rows.front().Call), kLinePoints);
  return group;
}

// Groups by `key`, in the order of their titles, "no ..." ones last.
BoardSection MakeSection(const std::string& id, const std::string& title,
                         const std::vector<const ScorePostRow*>& rows, const GroupKey& key,
                         size_t shown, const HistoryOf& historyOf) {
  std::map<std::pair<bool, std::string>, std::vector<const ScorePostRow*>> groups;
  for (const ScorePostRow* row : rows) {
    std::string name = key(*row);
    groups[{name.compare(0, 3, "No ") == 0, name}].push_back(row);
  }
  BoardSection section{id, title, {}};
  for (const auto& [name, members] : groups)
    section.Groups.push_back(MakeGroup(name.second, members, shown, historyOf));
  return section;
}

}  // namespace

LiveBoard MakeLiveBoard(const std::vector<ScorePostRow>& standings, const HistoryOf& historyOf) {
  std::vector<const ScorePostRow*> all, japan, world;
  for (const ScorePostRow& row : standings) {
    all.push_back(&row);
    (row.Japanese ? japan : world).push_back(&row);
  }
  const size_t everyone = standings.size();
  LiveBoard board;
  board.Stations = everyone;
  board.Sections.push_back(
      MakeSection("japan", "Japan, by category", japan, CategoryTitle, everyone, historyOf));
  board.Sections.push_back(MakeSection("world", "Outside Japan, by category", world, CategoryTitle,
                                       everyone, historyOf));
  board.Sections.push_back(MakeSection(
      "continents", "Leaders by continent", all,
      [](const ScorePostRow& row) {
        return row.Continent.empty() ? "No continent" : row.Continent;
      },
      kLeadersShown, historyOf));
  board.Sections.push_back(MakeSection(
      "districts", "Leaders by Japanese district", japan,
      [](const ScorePostRow& row) {
        return row.District.empty() ? "No district sent" : row.District;
      },
      kLeadersShown, historyOf));
  return board;
}

bool IsStale(const BoardRow& row, int64_t now) {
  return now - row.LastPost > kStaleSeconds;
}

std::string AgeText(int64_t seconds) {
  if (seconds < 60)
    return "just now";
  const int64_t minutes = seconds / 60;
  if (minutes < 60)
    return std::to_string(minutes) + " min";
  if (minutes < 24 * 60) {
    char text[32];
    snprintf(text, sizeof text, "%lld h %02lld min", static_cast<long long>(minutes / 60),
             static_cast<long long>(minutes % 60));
    return text;
  }
  const int64_t days = minutes / (24 * 60);
  return std::to_string(days) + (days == 1 ? " day" : " days");
}
