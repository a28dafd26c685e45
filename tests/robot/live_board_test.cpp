// The live board: who is ranked where, what a page and the JSON show of it,
// and what they never show.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "robot/live_board.h"
#include "robot/live_board_page.h"

namespace {

const int64_t kNow = 1781352000;  // 2026-06-13 12:00 UTC

ScorePostRow Station(const std::string& call, int64_t score, bool japanese,
                     const std::string& district = "", int64_t minutesAgo = 1) {
  ScorePostRow row;
  row.Call = call;
  row.Score = score;
  row.Qsos = score / 100;
  row.Mults = score / 1000;
  row.Japanese = japanese;
  row.Continent = japanese ? "AS" : "EU";
  row.District = district;
  row.Category = "SO-ALL-HP";
  row.CategoryTitle = "Single operator, all bands, high power";
  row.Received = kNow - minutesAgo * 60;
  return row;
}

std::vector<ScorePoint> LongHistory(const std::string&) {
  std::vector<ScorePoint> points;
  for (int i = 0; i < 500; ++i)
    points.push_back({kNow - (500 - i) * 300, i * 10});
  return points;
}

const BoardSection& SectionOf(const LiveBoard& board, const std::string& id) {
  for (const BoardSection& section : board.Sections) {
    if (section.Id == id)
      return section;
  }
  throw std::runtime_error("no section " + id);
}

TEST(LiveBoard, RanksJapanAndTheWorldApartWithTheLeadersPerContinentAndDistrict) {
  std::vector<ScorePostRow> rows = {
      Station("DL4MCF", 9000, false), Station("JA1ABC", 5000, true, "AT"),
      Station("JA2ABC", 7000, true, "AT"), Station("JA3ABC", 7000, true, "")};
  for (int i = 0; i < 12; ++i)
    rows.push_back(Station("JH" + std::to_string(i) + "XYZ", 100 + i, true, "CB"));
  ScorePostRow other = Station("OK1XX", 800, false);
  other.Category = "";
  rows.push_back(other);
  LiveBoard board = MakeLiveBoard(rows, LongHistory);
  EXPECT_EQ(board.Stations, rows.size());

  const BoardGroup& japan = SectionOf(board, "japan").Groups.at(0);
  EXPECT_EQ(japan.Rows.size(), 15u);  // every station of its category
  std::vector<std::pair<int, std::string>> top;
  for (size_t i = 0; i < 4; ++i)
    top.emplace_back(japan.Rows[i].Rank, japan.Rows[i].Call);
  EXPECT_EQ(top, (std::vector<std::pair<int, std::string>>{
                     {1, "JA2ABC"}, {1, "JA3ABC"}, {3, "JA1ABC"}, {4, "JH11XYZ"}}));
  const BoardSection& world = SectionOf(board, "world");
  ASSERT_EQ(world.Groups.size(), 2u);
  EXPECT_EQ(world.Groups[0].Rows.at(0).Call, "DL4MCF");
  EXPECT_EQ(world.Groups[1].Title, "No category of the sponsor's table");

  const BoardSection& continents = SectionOf(board, "continents");
  ASSERT_EQ(continents.Groups.size(), 2u);
  EXPECT_EQ(continents.Groups[0].Title, "AS");
  EXPECT_EQ(continents.Groups[0].Stations, 15u);
  EXPECT_EQ(continents.Groups[0].Rows.size(), kLeadersShown);
  const BoardSection& districts = SectionOf(board, "districts");
  ASSERT_EQ(districts.Groups.size(), 3u);
  EXPECT_EQ(districts.Groups[0].Title, "AT");
  EXPECT_EQ(districts.Groups[2].Title, "No district sent");

  const std::vector<ScorePoint>& line = japan.LeaderLine;
  ASSERT_EQ(line.size(), kLinePoints);
  EXPECT_EQ(line.front().Score, 0);
  EXPECT_EQ(line.back().Score, 4990);
}

TEST(LiveBoard, SaysHowLongAgoAndWhenAPostIsStale) {
  const std::vector<std::pair<int64_t, std::string>> ages = {{59, "just now"},
                                                             {60, "1 min"},
                                                             {3599, "59 min"},
                                                             {3600, "1 h 00 min"},
                                                             {3 * 3600 + 5 * 60, "3 h 05 min"},
                                                             {86400, "1 day"},
                                                             {3 * 86400, "3 days"}};
  for (const auto& [seconds, text] : ages)
    EXPECT_EQ(AgeText(seconds), text) << seconds;
  BoardRow row;
  row.LastPost = kNow - kStaleSeconds;
  EXPECT_FALSE(IsStale(row, kNow));
  EXPECT_TRUE(IsStale(row, kNow + 1));
}

TEST(LiveBoard, PageAndJsonShowClaimedScoresEscapedAndNoMore) {
  ScorePostRow fresh = Station("JA1ABC", 133892, true, "AT", 3);
  fresh.CategoryTitle = "<script>alert(1)</script> \xff\xfe";
  fresh.Software = "SECRET-LOGGER";
  ScorePostRow old = Station("DL4MCF", 100, false, "", 45);
  LiveBoard board = MakeLiveBoard({fresh, old}, [](const std::string&) {
    return std::vector<ScorePoint>{{kNow - 600, 100}, {kNow - 300, 133892}};
  });

  std::string page = LiveBoardPage(board, kNow);
  for (const char* part :
       {"<meta http-equiv=\"refresh\" content=\"60\">", "Claimed live scores", "not the results",
        "&lt;script&gt;alert(1)&lt;/script&gt;", "<td class=\"call\">JA1ABC</td>",
        "<td class=\"n\">133892</td>", "<td>3 min</td>", "<tr class=\"stale\">",
        "<td>45 min, stale</td>", "<polyline points=\"2,34 158,2\"/>"})
    EXPECT_NE(page.find(part), std::string::npos) << part;
  for (const char* never : {"<script", "style=", "SECRET-LOGGER"})
    EXPECT_EQ(page.find(never), std::string::npos) << never;

  nlohmann::json json = nlohmann::json::parse(LiveBoardJson(board, kNow));
  EXPECT_EQ(json["stations"], 2);
  const nlohmann::json& leader = json["sections"][0]["groups"][0];
  EXPECT_EQ(leader["rows"][0]["call"], "JA1ABC");
  EXPECT_EQ(leader["rows"][0]["score"], 133892);
  EXPECT_EQ(leader["rows"][0]["stale"], false);
  EXPECT_EQ(leader["leader_line"].size(), 2u);
  EXPECT_EQ(json["sections"][1]["groups"][0]["rows"][0]["stale"], true);
  EXPECT_EQ(json.dump().find("SECRET-LOGGER"), std::string::npos);
}

}  // namespace
