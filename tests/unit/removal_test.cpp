#include <gtest/gtest.h>

#include "core/engine/acceptance.h"
#include "core/engine/call_check.h"
#include "core/engine/removal.h"
#include "scoring_input.h"

namespace {

class Removal : public ::testing::Test {
 protected:
  void SetUp() override { state_.OwnPrefix = "JA"; }
  void Add(const QsoInput& qso) { ASSERT_EQ(AcceptQso(state_, qso, lines_), 1); }
  std::vector<bool> ExcludedFlags() const {
    std::vector<bool> flags;
    for (size_t i = 0; i < state_.Log.Count(); ++i)
      flags.push_back(state_.Log.At(i).Excluded);
    return flags;
  }

  ContestState state_;
  std::string lines_;
};

TEST_F(Removal, EmptyExchangeIsRefusedAndUnknownCallIsANoOp) {
  Add(Qso("JA2AAA"));
  QsoInput noSent = Qso("JA2AAA");
  noSent.ExchSent = "";
  EXPECT_EQ(RemoveQso(state_, noSent), 0);
  EXPECT_EQ(RemoveQso(state_, Qso("JA2AAA", "")), 0);
  EXPECT_EQ(RemoveQso(state_, Qso("JA9ZZZ")), 1);
  EXPECT_EQ(RemoveQso(state_, Qso("ja2aaa")), 1);
  EXPECT_EQ(state_.Log.Count(), 1u);
}

// A Japanese operator's QSOs with stations elsewhere carry numbers, not codes:
// they must still leave the store when the host deletes them.
TEST_F(Removal, RemovesARecordWhoseExchangeIsNoDistrictCode) {
  Add(DxQso("W1AW", "123"));
  EXPECT_EQ(RemoveQso(state_, DxQso("W1AW", "123")), 1);
  EXPECT_EQ(state_.Log.Count(), 0u);
  EXPECT_EQ(state_.LogBands, (TextList{"40m"}));  // a band stays listed
}

TEST_F(Removal, TheDuplicateTheHostDeletedLeavesNotTheOneThatStays) {
  QsoInput first = Qso("JA2AAA", "AC");
  QsoInput dupe = Qso("JA2AAA", "AC");
  dupe.Time = MakeOleDateTime(2016, 6, 9, 8, 15);
  Add(first);
  Add(dupe);
  EXPECT_EQ(RemoveQso(state_, dupe), 1);
  ASSERT_EQ(state_.Log.Count(), 1u);
  EXPECT_EQ(state_.Log.At(0).Time.Date, first.Time.Date);
  EXPECT_EQ(ExcludedFlags(), (std::vector<bool>{false}));
}

TEST_F(Removal, WithoutAnExactMatchTheFirstOfTheStationLeaves) {
  Add(Qso("JA2AAA", "AC"));
  Add(Qso("JA2AAA", "TK"));
  QsoInput edited = Qso("JA2AAA", "HD");
  edited.FrequencyHz = 7020000;
  EXPECT_EQ(RemoveQso(state_, edited), 1);
  ASSERT_EQ(state_.Log.Count(), 1u);
  EXPECT_EQ(state_.Log.At(0).ExchRcvd, "TK");
}

TEST_F(Removal, DuplicateStatusFollowsTheStore) {
  Add(Qso("JA2AAA", "AC"));
  QsoInput second = Qso("JA2AAA", "AC");
  second.FrequencyHz = 7015000;
  Add(second);
  Add(second);
  Add(Qso("JA3BBB", "TK"));
  EXPECT_EQ(ExcludedFlags(), (std::vector<bool>{false, true, true, false}));
  EXPECT_EQ(RemoveQso(state_, Qso("JA2AAA", "AC")), 1);
  EXPECT_EQ(ExcludedFlags(),
            (std::vector<bool>{false, true, false}));  // the earliest remaining counts
  EXPECT_EQ(RemoveQso(state_, second), 1);
  EXPECT_EQ(ExcludedFlags(), (std::vector<bool>{false, false}));
}

TEST_F(Removal, ARemainingDuplicateWorthNothingStaysFlagged) {
  state_.OwnPrefix = "DL";
  Add(Qso("JA2AAA"));
  Add(DxQso("W1AW"));
  Add(DxQso("W1AW"));
  EXPECT_EQ(RemoveQso(state_, DxQso("W1AW")), 1);
  EXPECT_EQ(ExcludedFlags(), (std::vector<bool>{false, true}));
}

TEST_F(Removal, ADistrictLeavesTheBandListOnlyWhenNoCountingRecordCarriesIt) {
  Add(Qso("JA2AAA", "AC"));
  Add(Qso("JA3BBB", "AC"));
  Add(Qso("JA4CCC", "TK"));
  Add(Qso("JA4CCC", "TK"));  // a duplicate carries TK but does not count
  Add(Qso("JA5DDD", "HD", "20m"));
  state_.DistrictsByBand[2] = {"AC", "TK"};
  state_.DistrictsByBand[3] = {"HD", "AC"};

  EXPECT_EQ(RemoveQso(state_, Qso("JA2AAA", "AC")), 1);
  EXPECT_EQ(state_.DistrictsByBand[2], (TextList{"AC", "TK"}));  // JA3BBB still carries AC
  EXPECT_EQ(RemoveQso(state_, Qso("JA3BBB", "AC")), 1);
  EXPECT_EQ(state_.DistrictsByBand[2], (TextList{"TK"}));
  // JA4CCC's later QSO counts once the first one is gone, so TK stays.
  EXPECT_EQ(RemoveQso(state_, Qso("JA4CCC", "TK")), 1);
  EXPECT_EQ(state_.DistrictsByBand[2], (TextList{"TK"}));
  EXPECT_EQ(RemoveQso(state_, Qso("JA4CCC", "TK")), 1);
  EXPECT_TRUE(state_.DistrictsByBand[2].empty());
  EXPECT_EQ(state_.DistrictsByBand[3], (TextList{"HD", "AC"}));  // another band is untouched
}

TEST_F(Removal, ABandOutsideTheTableChangesNoBandList) {
  Add(Qso("JA2AAA", "AC", "6m"));
  for (TextList& list : state_.DistrictsByBand)
    list = {"AC"};
  EXPECT_EQ(RemoveQso(state_, Qso("JA2AAA", "AC", "6m")), 1);
  EXPECT_EQ(state_.Log.Count(), 0u);
  for (const TextList& list : state_.DistrictsByBand)
    EXPECT_EQ(list, (TextList{"AC"}));
}

TEST_F(Removal, TheRemovedRecordsOwnDistrictLeavesTooWhenTheHostSendsAnotherCode) {
  Add(Qso("JA2AAA", "AC"));
  state_.DistrictsByBand[2] = {"AC"};
  EXPECT_EQ(RemoveQso(state_, Qso("JA2AAA", "TK")), 1);
  EXPECT_TRUE(state_.DistrictsByBand[2].empty());
}

TEST(CallCheck, DuplicateFirstThenTheContinentRuleForEveryOperator) {
  for (const char* own : {"DL", "JA"}) {
    ContestState state;
    state.OwnPrefix = own;
    std::string lines;
    AcceptQso(state, DxQso("W1AW", "5", "15m", "NA"), lines);
    AcceptQso(state, Qso("JA2AAA", "AC", "15m", "JA", "AS"), lines);
    struct {
      CallCheckInput input;
      int result;
    } cases[] = {
        {{"W1AW", "CW", "NA", "15m"}, 0},
        {{"w1aw", "CW", "NA", "15m"}, 1},  // exact comparison: not a duplicate
        {{"W1AW", "SSB", "NA", "15m"}, 1},
        {{"W1AW", "CW", "NA", "20m"}, 2},
        {{"K1ABC", "CW", "NA", "15m"}, 1},
        {{"JA2AAA", "CW", "AS", "15m"}, 0},
        {{"JA3BBB", "CW", "AS", "15m"}, 1},
        {{"JA3BBB", "CW", "AS", "40m"}, 2},
        {{"VK2AB", "CW", "OC", "15m"}, 2},
    };
    for (auto& c : cases)
      EXPECT_EQ(CheckCall(state, c.input), c.result) << own << " " << c.input.Call;
  }
}

}  // namespace
