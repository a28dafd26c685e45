// A logger's score post, apart from HTTP: read safely, judged, stored with
// its time, refused with a reason a logger can show; and the database step
// that brought the board's tables.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>

#include "robot/score_post.h"
#include "robot/score_posts.h"
#include "robot_test_logs.h"
#include "score_post_samples.h"

namespace {

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::string Repeated(const std::string& piece, size_t times) {
  std::string text;
  for (size_t i = 0; i < times; ++i)
    text += piece;
  return text;
}

class ScorePostsTest : public testing::Test {
 protected:
  ScorePostsTest() : db_(folder_.Path() + "/robot.db") {}

  ScorePostService Service(const RobotSettings& settings) {
    return ScorePostService(settings, TestCountries(), table_, db_.Path());
  }

  TempFolder folder_;
  SubmissionDb db_;
  SponsorTable table_ = SponsorTable::Default();
  RobotSettings days_ = ContestDays();
};

TEST(ScorePost, ReadsTheTotalsOfEitherForm) {
  const std::string xml = ScorePostXml(SamplePost());
  ScorePost post;
  ASSERT_EQ(ReadScorePost(xml, post), "");
  EXPECT_EQ(post.Call, "JA1ABC");
  EXPECT_EQ(post.Contest, "DKZ-CW");
  EXPECT_EQ(post.Class.Operator, "SINGLE-OP");
  EXPECT_EQ(post.Class.Power, "HIGH");
  EXPECT_EQ(post.District, "AT");
  EXPECT_EQ(std::make_tuple(post.Qsos, post.Points, post.Mults, post.Score),
            std::make_tuple(312, 716, 187, 133892));

  // Inside an outer rtc, without totals (the bands add up), a band in metres.
  std::string bare = Replaced(xml, "<qso band=\"total\" mode=\"ALL\">312</qso>", "");
  bare = Replaced(bare, "<mult band=\"total\" mode=\"ALL\">187</mult>", "");
  bare = Replaced(bare, "bands=\"ALL\"", "bands=\"40\"");
  bare = Replaced(bare, "<?xml version=\"1.0\"?>\n", "<?xml version=\"1.0\"?><rtc>") + "</rtc>";
  ASSERT_EQ(ReadScorePost(bare, post), "");
  EXPECT_EQ(post.Qsos, 312);
  EXPECT_EQ(post.Mults, 187);
  EXPECT_EQ(post.Class.Band, "40M");

  // Typed totals add up when no untyped total is given.
  std::string typed = Replaced(xml, "<mult band=\"total\" mode=\"ALL\">187</mult>",
                               "<mult band=\"total\" type=\"district\">150</mult>"
                               "<mult band=\"total\" type=\"continent\">6</mult>");
  ASSERT_EQ(ReadScorePost(typed, post), "");
  EXPECT_EQ(post.Mults, 156);
}

TEST(ScorePost, RefusesHostileAndMalformedXml) {
  const std::string good = ScorePostXml(SamplePost());
  const std::string laughs =
      "<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [\n<!ENTITY lol \"lol\">\n"
      "<!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">\n"
      "<!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">\n"
      "<!ENTITY lol9 \"&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;\">\n]>\n"
      "<dynamicresults><call>&lol9;</call><score>1</score></dynamicresults>";
  struct Case {
    const char* Name;
    std::string Xml;
    const char* Says;
  };
  const std::vector<Case> cases = {
      {"billion laughs", laughs, "DOCTYPE"},
      {"external entity",
       "<?xml version=\"1.0\"?><!DOCTYPE d SYSTEM \"file:///etc/passwd\"><dynamicresults/>",
       "DOCTYPE"},
      {"huge", good + std::string(kLargestScorePost, ' '), "larger than 64 KB"},
      {"deep", Repeated("<rtc>", 10000), "deeper than 8"},
      {"many elements", "<dynamicresults>" + Repeated("<x/>", 3000) + "</dynamicresults>",
       "more than 2000 elements"},
      {"not xml", "xml=JA1ABC&score=5", "cannot be read"},
      {"cut short", good.substr(0, good.size() / 2), "cannot be read"},
      {"another root", "<results><call>JA1ABC</call></results>", "not a dynamicresults"},
      {"no score", Replaced(good, "<score>133892</score>", ""), "no <score>"},
      {"two calls", Replaced(good, "<ops>", "<call>JA2XYZ</call><ops>"), "two <call>"},
      {"negative", Replaced(good, "<score>133892", "<score>-5"), "not a number"},
      {"fraction", Replaced(good, ">96<", ">9.6<"), "<qso band=\"40\"> is not a number"},
      {"thirteen digits", Replaced(good, "<score>133892", "<score>1000000000000"), "not a number"},
      {"long text", Replaced(good, "test logger", std::string(200, 'x')), "longer than 100"},
      {"markup in a value", Replaced(good, "<call>JA1ABC", "<call><b>JA1ABC</b>"),
       "holds elements"},
  };
  for (const Case& c : cases) {
    ScorePost post;
    auto started = std::chrono::steady_clock::now();
    std::string fault = ReadScorePost(c.Xml, post);
    EXPECT_NE(fault.find(c.Says), std::string::npos) << c.Name << ": " << fault;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5)) << c.Name;
  }
}

TEST_F(ScorePostsTest, AnswersEachPostWithItsReason) {
  ScorePostService service = Service(days_);
  const int64_t noon = ContestTime(12);
  SamplePost other;
  other.Contest = "CQ-WW-CW";
  SamplePost noContest;
  noContest.Contest = "";
  struct Case {
    const char* Name;
    std::string Xml;
    int64_t At;
    int Status;
    const char* Text;
  };
  const std::vector<Case> cases = {
      {"taken", ScorePostXml("JA1ABC", 100), noon, 200, "OK"},
      {"within the minute", ScorePostXml("JA1ABC", 110), noon + 59, 429,
       "one post a minute per call"},
      {"a minute later", ScorePostXml("JA1ABC", 120), noon + 60, 200, "OK"},
      {"another call at once", ScorePostXml("DL4MCF", 50), noon + 61, 200, "OK"},
      {"another contest", ScorePostXml(other), noon, 422, "contest DKZ only"},
      {"no contest", ScorePostXml(noContest), noon, 422, "contest DKZ only"},
      {"markup for a call", ScorePostXml("JA1&lt;AB", 1), noon, 400,
       "the call 'JA1<AB' is not a callsign"},
      {"call with a blank", ScorePostXml("JA1 ABC", 1), noon, 400,
       "the call 'JA1 ABC' is not a callsign"},
      {"no country", ScorePostXml("QQ1QQ", 1), noon, 422, "no country is known"},
      {"an hour before", ScorePostXml("JA2AAA", 1), ContestTime(-1), 200, "OK"},
      {"too early", ScorePostXml("JA3AAA", 1), ContestTime(-1) - 1, 403,
       "outside the contest period"},
      {"an hour after", ScorePostXml("JA4AAA", 1), ContestTime(49), 200, "OK"},
      {"too late", ScorePostXml("JA5AAA", 1), ContestTime(49) + 1, 403,
       "outside the contest period"},
  };
  for (const Case& c : cases) {
    ScoreAnswer answer = service.Take(c.Xml, c.At);
    EXPECT_EQ(answer.Status, c.Status) << c.Name << ": " << answer.Text;
    EXPECT_NE(answer.Text.find(c.Text), std::string::npos) << c.Name << ": " << answer.Text;
  }
  EXPECT_EQ(service.Board()->Stations, 4u);
  EXPECT_EQ(Service(RobotSettings()).Take(ScorePostXml("JA6AAA", 1), noon).Text,
            "the contest period is not set");
}

TEST_F(ScorePostsTest, ABlockedCallIsRefusedAndLeavesTheBoardUntilUnblocked) {
  ScorePostService service = Service(days_);
  ASSERT_EQ(service.Take(ScorePostXml("JA1ABC", 100), ContestTime(10)).Status, 200);
  ASSERT_EQ(service.Take(ScorePostXml("DL4MCF", 50), ContestTime(10)).Status, 200);
  ASSERT_EQ(service.Board()->Stations, 2u);
  EXPECT_FALSE(service.SetBlocked("JA1 ABC", true, ContestTime(11)));
  ASSERT_EQ(service.SetBlocked(" ja1abc ", true, ContestTime(11)), "JA1ABC");
  EXPECT_EQ(service.Blocked(), std::vector<std::string>{"JA1ABC"});
  EXPECT_EQ(service.Board()->Stations, 1u);
  ScoreAnswer refused = service.Take(ScorePostXml("JA1ABC", 200), ContestTime(12));
  EXPECT_EQ(refused.Status, 403);
  EXPECT_EQ(refused.Text, "call blocked by the sponsor");

  ASSERT_TRUE(service.SetBlocked("JA1ABC", false, ContestTime(13)));
  std::shared_ptr<const LiveBoard> board = service.Board();
  EXPECT_EQ(board->Stations, 2u);
  EXPECT_EQ(board->Sections[0].Groups.at(0).Rows.at(0).Score, 100);
}

TEST_F(ScorePostsTest, HistoryKeepsOnePointEveryFiveMinutesAndTheLast) {
  ScorePostService service = Service(days_);
  for (int minute = 0; minute <= 60; ++minute)
    ASSERT_EQ(service.Take(ScorePostXml("JA1ABC", minute), ContestTime(10, minute)).Status, 200);
  ScoreStore store(db_.Path());
  std::vector<ScorePoint> history = store.History("JA1ABC");
  std::vector<int64_t> scores;
  for (const ScorePoint& point : history)
    scores.push_back(point.Score);
  EXPECT_EQ(scores, (std::vector<int64_t>{0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60}));
  EXPECT_EQ(store.Standings().at(0).Score, 60);
}

TEST_F(ScorePostsTest, HistoryIsBoundedPerCall) {
  ScoreStore store(db_.Path());
  ScorePostRow row;
  row.Call = "JA1ABC";
  for (int i = 0; i < kHistoryPoints + 25; ++i) {
    row.Received = ContestTime(0) + i * kHistoryStepSeconds;
    row.Score = i;
    ASSERT_EQ(store.Insert(row, 60), PostTaken::kStored);
  }
  std::vector<ScorePoint> history = store.History("JA1ABC");
  ASSERT_EQ(history.size(), static_cast<size_t>(kHistoryPoints));
  EXPECT_EQ(history.front().Score, 25);
  EXPECT_EQ(history.back().Score, kHistoryPoints + 24);
}

// A database of the robot before the board: its rows stay, the board's tables come.
TEST_F(ScorePostsTest, ADatabaseOfTheVersionBeforeTheBoardIsBroughtUpKeepingEveryRow) {
  const std::string path = folder_.Path() + "/old.db";
  {
    SubmissionDb old(path);
    SubmissionRow row;
    row.Call = "DL4MCF";
    row.Sha256 = std::string(64, 'a');
    old.Insert(row, {"JA1ABC"}, [](const CallStanding&) { return Admission{}; });
  }
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(raw,
                         "DROP TABLE score_posts; DROP TABLE score_standings; "
                         "DROP TABLE blocked_calls; PRAGMA user_version = 2;",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(raw);

  SubmissionDb migrated(path);
  ASSERT_EQ(migrated.All().size(), 1u);
  EXPECT_EQ(migrated.All()[0].Call, "DL4MCF");
  EXPECT_EQ(migrated.Missing(1).at(0).Call, "JA1ABC");
  ScorePostService service(days_, TestCountries(), table_, path);
  EXPECT_EQ(service.Take(ScorePostXml("JA1ABC", 5), ContestTime(1)).Text, "OK");

  ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(raw, "PRAGMA user_version = 4", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(raw);
  EXPECT_THROW(SubmissionDb newer(path), StorageError);
}

}  // namespace
