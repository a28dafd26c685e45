#include <gtest/gtest.h>

#include "core/engine/acceptance.h"
#include "core/engine/removal.h"
#include "core/engine/summary.h"
#include "scoring_input.h"

namespace {

class Summary : public ::testing::Test {
 protected:
  void Pass(const std::string& ownCall, const std::string& ownPrefix) {
    state_.Contestant = ownCall;
    state_.OwnPrefix = ownPrefix;
    state_.PeriodStartText = "10.06";
    state_.PeriodEndText = "11.06.2016";
  }
  void Add(const QsoInput& qso) { ASSERT_EQ(AcceptQso(state_, qso, lines_), 1); }

  ContestState state_;
  std::string lines_;
};

TEST_F(Summary, JapaneseFormCountsFivePointsAndContinents) {
  Pass("JA1ZZZ", "JA");
  Add(Qso("JA2AAA", "AC", "20m"));
  Add(Qso("W1AW", "5", "20m", "K", "NA"));
  Add(Qso("JA3BBB", "TK", "160m"));
  Add(Qso("JA2AAA", "AC", "40m"));
  Add(Qso("JA3BBB", " ac", "40m"));
  Add(Qso("DL1ABC", "12", "40m", "DL", "EU"));
  Add(Qso("JA2AAA", "AC", "40m"));          // duplicate: left out
  Add(Qso("", "HD", "40m"));                // no callsign: left out
  Add(Qso("VK2AB", "7", "40m", "VK", ""));  // an empty continent counts too
  Add(Qso("JA4CCC", "HD", "6m"));           // outside the table: a row, no lists
  state_.DistrictsByBand[1] = {"KEEP"};     // 80m is not in this log

  BuildSummary(state_);
  EXPECT_EQ(state_.SummaryText,
            "    DKZ CONTEST 10.06-11.06.2016\r\n"
            "\tContestant: JA1ZZZ \r\n"
            "\tQSOs\tPoints\tCounty\tCont\r\n"
            "160m\t 1\t 1\t 1\t 1\r\n"
            "40m\t 4\t 12\t 1\t 3\r\n"
            "20m\t 2\t 6\t 1\t 2\r\n"
            "6m\t 1\t 1\t 1\t 1\r\n"
            "Total\t 8\t 20\t 4\t 7\r\n"
            "Score\t 220");
  EXPECT_EQ(state_.ClaimedScore, 220);
  EXPECT_EQ(state_.LogBands, (TextList{"160m", "40m", "20m", "6m"}));
  EXPECT_EQ(state_.DistrictsByBand[0], (TextList{"TK"}));
  EXPECT_EQ(state_.DistrictsByBand[1], (TextList{"KEEP"}));
  EXPECT_EQ(state_.DistrictsByBand[2], (TextList{"AC"}));
  EXPECT_EQ(state_.DistrictsByBand[3], (TextList{"AC"}));
  EXPECT_EQ(state_.ContinentsByBand[2], (TextList{"AS", "EU", ""}));
  EXPECT_EQ(state_.ContinentsByBand[3], (TextList{"AS", "NA"}));
}

TEST_F(Summary, ElsewhereFormCountsOnePointAndNoContinents) {
  Pass("DL1ZZZ", "ja");  // not exactly "JA"
  Add(Qso("JA2AAA", "AC", "80m"));
  Add(Qso("JA3BBB", "TK", "80m"));
  Add(Qso("JA4CCC", "AC", "80m"));
  Add(Qso("JA2AAA", "AC", "10m"));
  Add(DxQso("W1AW", "5", "80m"));  // worth 0 points
  Add(Qso("JA5DDD", "5", "15m"));  // counts, but brings no district
  state_.ContinentsByBand[1] = {"stale"};

  BuildSummary(state_);
  EXPECT_EQ(state_.SummaryText,
            "    DKZ CONTEST 10.06-11.06.2016\r\n"
            "\tContestant: DL1ZZZ \r\n"
            "\tQSOs\tPoints\tCounty\r\n"
            "80m\t 3\t 3\t 2\r\n"
            "15m\t 1\t 1\t 0\r\n"
            "10m\t 1\t 1\t 1\r\n"
            "Total\t 5\t 5\t 3\r\n"
            "Score\t 15");
  EXPECT_EQ(state_.ClaimedScore, 15);
  EXPECT_EQ(state_.DistrictsByBand[1], (TextList{"AC", "TK"}));
  EXPECT_TRUE(state_.ContinentsByBand[1].empty());
}

TEST_F(Summary, EmptyLogAndEmptiedBand) {
  Pass("JA1ZZZ", "JA");
  BuildSummary(state_);
  EXPECT_EQ(state_.SummaryText,
            "    DKZ CONTEST 10.06-11.06.2016\r\n\tContestant: JA1ZZZ \r\n"
            "\tQSOs\tPoints\tCounty\tCont\r\nTotal\t 0\t 0\t 0\t 0\r\nScore\t 0");
  EXPECT_EQ(state_.ClaimedScore, 0);

  Add(Qso("JA2AAA", "AC", "15m"));
  BuildSummary(state_);
  EXPECT_EQ(state_.DistrictsByBand[4], (TextList{"AC"}));
  RemoveQso(state_, Qso("JA2AAA", "AC", "15m"));
  BuildSummary(state_);
  EXPECT_NE(state_.SummaryText.find("\r\n15m\t 0\t 0\t 0\t 0\r\nTotal\t 0\t 0\t 0\t 0\r\n"),
            std::string::npos);
  EXPECT_TRUE(state_.DistrictsByBand[4].empty());
}

TEST_F(Summary, RepeatedSummariesGiveTheSameText) {
  Pass("JA1ZZZ", "JA");
  Add(Qso("JA2AAA", "AC", "20m"));
  Add(Qso("JA2AAA", "AC", "160m"));
  BuildSummary(state_);
  std::string first = state_.SummaryText;
  BuildSummary(state_);
  EXPECT_EQ(state_.SummaryText, first);
  EXPECT_EQ(state_.DistrictsByBand[0], (TextList{"AC"}));
}

// Both forms take every point, the multipliers and the score from the rules
// the pass scores by: with other points in the record, both follow.
TEST(SummaryRules, BothFormsFollowThePointsOfTheRecord) {
  ContestRules rules = kDkzRules;
  rules.JapaneseOperator = {/*PointsWithJapanese=*/2, /*PointsWithOthers=*/7, true};
  rules.OtherOperator = {/*PointsWithJapanese=*/3, /*PointsWithOthers=*/4, false};
  struct {
    const char* OwnPrefix;
    const char* Table;
  } cases[] = {
      {"JA",
       "\tQSOs\tPoints\tCounty\tCont\r\n40m\t 2\t 9\t 1\t 2\r\n20m\t 1\t 2\t 1\t 1\r\n"
       "Total\t 3\t 11\t 2\t 3\r\nScore\t 55"},
      // A QSO between two stations outside Japan now has points: it counts.
      {"DL",
       "\tQSOs\tPoints\tCounty\r\n40m\t 2\t 7\t 1\r\n20m\t 1\t 3\t 1\r\n"
       "Total\t 3\t 10\t 2\r\nScore\t 20"},
  };
  for (auto& c : cases) {
    ContestState state;
    state.Rules = &rules;
    state.OwnPrefix = c.OwnPrefix;
    std::string lines;
    AcceptQso(state, Qso("JA2AAA", "AC", "40m"), lines);
    AcceptQso(state, DxQso("DL1ABC", "12", "40m"), lines);
    AcceptQso(state, Qso("JA3BBB", "TK", "20m"), lines);
    BuildSummary(state);
    const std::string& text = state.SummaryText;
    EXPECT_EQ(text.substr(text.find("\tQSOs")), c.Table) << c.OwnPrefix;
    EXPECT_EQ(lines.find("0 points"), std::string::npos) << c.OwnPrefix;
  }
}

TEST(SortLogBands, DescendingByZeroPaddedText) {
  struct {
    TextList in, out;
  } cases[] = {
      {{"10m", "15m", "20m", "40m", "80m", "160m"}, {"160m", "80m", "40m", "20m", "15m", "10m"}},
      {{"20m", "160m", "40m"}, {"160m", "40m", "20m"}},
      {{"6m", "2m", "10m", "70cm"}, {"70cm", "10m", "6m", "2m"}},
      // Equal padded forms keep the order the exchange sort leaves them in.
      {{"m", "0m", "40m"}, {"40m", "0m", "m"}},
      {{"", "40m"}, {"40m", ""}},
      {{"A_band_name_longer_than_twenty", "160m"}, {"A_band_name_longer_than_twenty", "160m"}},
  };
  for (auto& c : cases) {
    TextList bands = c.in;
    SortLogBands(bands);
    EXPECT_EQ(bands, c.out) << c.in.front();
  }
}

}  // namespace
