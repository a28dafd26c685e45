#include <gtest/gtest.h>

#include <vector>

#include "core/scoreboard/score_poster.h"

namespace {

TEST(BoardSettings, UrlTurnsItOnAndMinutesAreBounded) {
  struct {
    const char* Url;  // null: no key
    const char* Minutes;
    bool On;
    int Read;
  } cases[] = {
      {nullptr, nullptr, false, 5},
      {"  ", "3", false, 5},  // off: Minutes is not read
      {" http://127.0.0.1:8080/api/scores ", nullptr, true, 5},
      {"http://x", "", true, 5},
      {"http://x", "2", true, 2},
      {"http://x", "1", true, 2},
      {"http://x", "-3", true, 5},
      {"http://x", "999999999", true, 24 * 60},
  };
  for (auto& c : cases) {
    MemorySettings section;
    if (c.Url != nullptr)
      section.Values["Url"] = c.Url;
    if (c.Minutes != nullptr)
      section.Values["Minutes"] = c.Minutes;
    BoardSettings board = ReadBoardSettings(section);
    EXPECT_EQ(board.On(), c.On) << (c.Url ? c.Url : "no Url");
    EXPECT_EQ(board.Minutes, c.Read) << (c.Minutes ? c.Minutes : "no Minutes");
  }
  MemorySettings section;
  section.Values["Url"] = " http://board/api ";
  EXPECT_EQ(ReadBoardSettings(section).Url, "http://board/api");
}

TEST(BoardSettings, OnlyHttpAddressesWithAHostNameABoard) {
  struct {
    const char* Url;
    bool Board;
  } cases[] = {
      {"http://127.0.0.1:8080/api/scores", true},
      {"HTTPS://board.example.org/api/scores?key=a%20b", true},
      {"ftp://board/api", false},
      {"board.example.org/api", false},
      {"http://", false},
      {"http://:80/api", false},
      {"http://board/api scores", false},
      {"mailto:http://board", false},
  };
  for (auto& c : cases)
    EXPECT_EQ(IsBoardAddress(c.Url), c.Board) << c.Url;
}

// Only a 2xx answer counts as taken; the status line shows one line of the answer.
TEST(PostResult, TakenOnlyWith2xxAndOneLineOfTheAnswerShown) {
  struct {
    PostResult Result;
    const char* Status;
    const char* Answer;
    bool Took;
  } cases[] = {
      {{PostOutcome::Answered, 200, "OK\n"}, "200", "OK", true},
      {{PostOutcome::Answered, 204, ""}, "204", "", true},
      {{PostOutcome::Answered, 302, "moved"}, "302", "moved", false},
      {{PostOutcome::Answered, 429, "one post a minute per call\r\nmore"},
       "429",
       "one post a minute per call",
       false},
      {{PostOutcome::Answered, 500,
        " \tboard\x01"
        "broken \n"},
       "500",
       "board broken",
       false},
      {{PostOutcome::TimedOut, 0, ""}, "timed out", "", false},
  };
  for (auto& c : cases) {
    EXPECT_EQ(StatusText(c.Result), c.Status);
    EXPECT_EQ(AnswerLine(c.Result.Answer), c.Answer) << c.Status;
    EXPECT_EQ(BoardTook(c.Result), c.Took) << c.Status;
  }
}

TEST(PostResult, LongAnswerIsCutWithoutSplittingACharacter) {
  std::string answer = std::string(kAnswerLineBytes - 1, 'a') + "\xC3\xA9" + "tail";
  EXPECT_EQ(AnswerLine(answer), std::string(kAnswerLineBytes - 1, 'a'));
  EXPECT_EQ(AnswerLine(std::string(5000, 'b')).size(), kAnswerLineBytes);
}

// A board that answers from a script and remembers what it was sent.
class ScriptedLink : public BoardLink {
 public:
  PostResult Post(const std::string& url, const std::string& formBody) override {
    Urls.push_back(url);
    Bodies.push_back(formBody);
    return Next;
  }
  PostResult Next{PostOutcome::Answered, 200, "OK"};
  std::vector<std::string> Urls, Bodies;
};

class Poster : public ::testing::Test {
 protected:
  Poster() {
    board_.Url = "http://127.0.0.1:8080/api/scores";
    board_.Minutes = 2;
    score_.Station.Call = "JA1ZZZ";
    score_.Score = 10;
  }
  // One turn at `seconds` on the steady clock; counts the snapshots taken.
  int64_t TurnAt(int seconds) {
    return poster_.Turn(board_,
                        [&] {
                          ++snapshots_;
                          return score_;
                        },
                        int64_t{seconds} * 1000, {2026, 6, 13, 12, 0, seconds % 60});
  }

  const int64_t kInterval = 120000;
  const int64_t kUntilNew = ScorePoster::kUntilNewSummary;
  ScriptedLink link_;
  MemorySettings status_;
  ScorePoster poster_{link_, status_};
  BoardSettings board_;
  ScorePost score_;
  int snapshots_ = 0;
};

TEST_F(Poster, PostsTheScoreFormEncodedAndRecordsTheAnswer) {
  EXPECT_EQ(TurnAt(7), kUntilNew);
  ASSERT_EQ(link_.Bodies.size(), 1u);
  EXPECT_EQ(link_.Urls[0], board_.Url);
  EXPECT_EQ(link_.Bodies[0], FormBody("xml", DynamicResultsXml(score_, "2026-06-13 12:00:07")));
  EXPECT_EQ(status_.Values["LastPost"], "2026-06-13 12:00:07 UTC");
  EXPECT_EQ(status_.Values["LastStatus"], "200");
  EXPECT_EQ(status_.Values["LastAnswer"], "OK");
}

TEST_F(Poster, PostsOnlyWhatTheBoardHasNotTakenAtMostOnceAnInterval) {
  TurnAt(0);
  EXPECT_EQ(TurnAt(300), kUntilNew);  // the same score: nothing to send
  EXPECT_EQ(link_.Bodies.size(), 1u);

  score_.Score = 20;
  EXPECT_EQ(TurnAt(301), kUntilNew);  // a new score, and the interval since the last try is over
  EXPECT_EQ(link_.Bodies.size(), 2u);

  score_.Score = 30;
  int before = snapshots_;
  EXPECT_EQ(TurnAt(331), kInterval - 30000);  // too soon: not even looked at
  EXPECT_EQ(snapshots_, before);
  EXPECT_EQ(TurnAt(421), kUntilNew);
  EXPECT_EQ(link_.Bodies.size(), 3u);
}

TEST_F(Poster, RetriesAFailedPostAtTheNextInterval) {
  link_.Next = {PostOutcome::TimedOut, 0, ""};
  EXPECT_EQ(TurnAt(0), kInterval);
  EXPECT_EQ(status_.Values["LastStatus"], "timed out");
  EXPECT_EQ(TurnAt(60), kInterval - 60000);
  EXPECT_EQ(link_.Bodies.size(), 1u);
  link_.Next = {PostOutcome::Answered, 200, "OK"};
  EXPECT_EQ(TurnAt(120), kUntilNew);  // the same score, sent again
  EXPECT_EQ(link_.Bodies.size(), 2u);
  EXPECT_EQ(status_.Values["LastStatus"], "200");
}

TEST_F(Poster, BadAddressIsRecordedWithoutTryingTheNetwork) {
  board_.Url = "ftp://board/api";
  EXPECT_EQ(TurnAt(0), kInterval);
  EXPECT_TRUE(link_.Bodies.empty());
  EXPECT_EQ(status_.Values["LastStatus"], "bad address");
}

TEST_F(Poster, AnAbandonedPostLeavesNoRecord) {
  link_.Next = {PostOutcome::Abandoned, 0, ""};
  EXPECT_EQ(TurnAt(0), kUntilNew);
  EXPECT_TRUE(status_.Values.empty());
}

}  // namespace
