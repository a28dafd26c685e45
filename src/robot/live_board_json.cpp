#include <utility>

#include <nlohmann/json.hpp>

#include "robot/live_board_page.h"
#include "robot/robot_text.h"

using nlohmann::json;

namespace {

json RowJson(const BoardRow& row, int64_t now) {
  return {{"rank", row.Rank},
          {"call", row.Call},
          {"qsos", row.Qsos},
          {"mults", row.Mults},
          {"score", row.Score},
          {"last_post", IsoUtc(row.LastPost)},
          {"age_seconds", now - row.LastPost},
          {"stale", IsStale(row, now)}};
}

json GroupJson(const BoardGroup& group, int64_t now) {
  json rows = json::array();
  for (const BoardRow& row : group.Rows)
    rows.push_back(RowJson(row, now));
  json line = json::array();
  for (const ScorePoint& point : group.LeaderLine)
    line.push_back({{"at", IsoUtc(point.At)}, {"score", point.Score}});
  return {{"title", group.Title},
          {"stations", group.Stations},
          {"rows", std::move(rows)},
          {"leader_line", std::move(line)}};
}

}  // namespace

std::string LiveBoardJson(const LiveBoard& board, int64_t now) {
  json sections = json::array();
  for (const BoardSection& section : board.Sections) {
    json groups = json::array();
    for (const BoardGroup& group : section.Groups)
      groups.push_back(GroupJson(group, now));
    sections.push_back(
        {{"id", section.Id}, {"title", section.Title}, {"groups", std::move(groups)}});
  }
  json answer = {{"title", "Claimed live scores, not results"},
                 {"at", IsoUtc(now)},
                 {"stale_after_seconds", kStaleSeconds},
                 {"stations", board.Stations},
                 {"sections", std::move(sections)}};
  // A text that is not UTF-8 is shown with replacement characters, never refused.
  return answer.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string BlockedCallJson(const std::string& call, bool blocked) {
  return json{{"call", call}, {"blocked", blocked}}.dump(-1, ' ', false,
                                                         json::error_handler_t::replace);
}
