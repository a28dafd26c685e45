#include <gtest/gtest.h>

#include "core/engine/acceptance.h"
#include "core/engine/reset.h"
#include "scoring_input.h"

namespace {

ResetInput Reset(const std::string& ownPrefix = "JA", int cabrilloRequest = 0) {
  ResetInput input;
  input.CabrilloRequest = cabrilloRequest;
  input.OwnCall = "JA1ZZZ";
  input.PeriodStart = MakeOleDateTime(2016, 6, 10, 21);
  input.PeriodEnd = MakeOleDateTime(2016, 6, 11, 21);
  input.OwnPrefix = ownPrefix;
  return input;
}

TEST(ResetPass, TakesTheOwnDataAndSwitchesAndEmptiesThePass) {
  ContestState state;
  std::string lines;
  AcceptQso(state, Qso(), lines);
  state.DistrictsByBand[2] = {"AC"};
  state.ContinentsByBand[2] = {"AS"};
  MemorySettings settings;
  settings.Values = {{"Master", "1"}, {"Multiplier", "7x"}};

  ResetPass(state, settings, Reset("DL", 3));
  EXPECT_EQ(state.PeriodStartText, "10.06");
  EXPECT_EQ(state.PeriodEndText, "11.06.2016");
  EXPECT_EQ(state.ContestYear, "2016");
  EXPECT_EQ(state.MasterSetting, 1);
  EXPECT_EQ(state.MultiplierSetting, 7);
  EXPECT_EQ(state.Contestant, "JA1ZZZ");
  EXPECT_EQ(state.OwnPrefix, "DL");
  EXPECT_EQ(state.CabrilloRequest, 3);
  EXPECT_EQ(state.Log.Count(), 0u);
  EXPECT_TRUE(state.LogBands.empty());
  EXPECT_EQ(state.WorkedBeforeGrid[0], (TextList{"160m", "-", "-", "-"}));
  EXPECT_EQ(state.WorkedBeforeGrid[5], (TextList{"10m", "-", "-", "-"}));
  // The band lists wait for the next summary.
  EXPECT_EQ(state.DistrictsByBand[2], (TextList{"AC"}));
  EXPECT_EQ(state.ContinentsByBand[2], (TextList{"AS"}));

  // The band list starts afresh: a band seen before the reset is listed again.
  AcceptQso(state, Qso(), lines);
  EXPECT_EQ(state.LogBands, (TextList{"40m"}));
}

TEST(ResetPass, BrokenPeriodDatesAndNoSettingsGiveSafeValues) {
  ContestState state;
  MemorySettings settings;
  ResetInput input = Reset();
  input.PeriodStart.State = OleDateTime::kNull;
  input.PeriodEnd.Date = 1e300;
  ResetPass(state, settings, input);
  EXPECT_EQ(state.PeriodStartText, "");
  EXPECT_EQ(state.PeriodEndText, "Invalid DateTime");
  EXPECT_EQ(state.MasterSetting, 0);
  EXPECT_EQ(state.MultiplierSetting, 0);
}

TEST(StartPass, TheStartAlternation) {
  struct {
    int cabrilloRequest;
    const char* startBefore;  // nullptr: no key
    const char* ownPrefix;
    bool liveWindowsRunning;
    int multiplier;
    bool headerDialog;
    bool started;
    const char* startAfter;
  } cases[] = {
      {1, "0", "JA", false, 1, true, false, "0"},  {1, nullptr, "DL", true, 1, true, false, "0"},
      {0, "1", "JA", false, 1, false, false, "0"}, {0, "5", "DL", false, 1, false, false, "0"},
      {0, "0", "JA", true, 1, false, true, "1"},   {0, nullptr, "DL", false, 1, false, true, "1"},
      {0, "0", "JA", false, 0, false, false, "1"},  // Multiplier off: nothing starts
      {0, "0", "DL", true, 1, false, false, "0"},   // unchanged
      {0, "0", "ja", true, 1, false, false, "0"},
  };
  for (auto& c : cases) {
    MemorySettings settings;
    if (c.startBefore != nullptr)
      settings.Values["Start"] = c.startBefore;
    bool headerDialog = false, started = false;
    PassStartCalls calls;
    calls.ConfirmCabrilloHeader = [&] { headerDialog = true; };
    calls.LiveWindowsRunning = [&] { return c.liveWindowsRunning; };
    calls.StartInfoWindows = [&] {
      EXPECT_EQ(settings.Values["Start"], c.startBefore ? c.startBefore : "");
      started = true;
    };
    StartPass(settings, c.cabrilloRequest, c.ownPrefix, c.multiplier, calls);
    std::string label = std::to_string(&c - cases);
    EXPECT_EQ(headerDialog, c.headerDialog) << label;
    EXPECT_EQ(started, c.started) << label;
    EXPECT_EQ(settings.ReadText("Start"), c.startAfter) << label;
  }
}

TEST(StartPass, TwoPassesInARowStartOnceThenRest) {
  MemorySettings settings;
  settings.Values["Start"] = "0";
  int starts = 0;
  PassStartCalls calls;
  calls.ConfirmCabrilloHeader = [] {};
  calls.LiveWindowsRunning = [] { return false; };
  calls.StartInfoWindows = [&] { ++starts; };
  StartPass(settings, 0, "JA", 1, calls);
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(settings.Values["Start"], "1");
  StartPass(settings, 0, "JA", 1, calls);
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(settings.Values["Start"], "0");
}

}  // namespace
