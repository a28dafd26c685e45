// What the live windows show: spot rule, titles, worked-before rows, ticks.
#include <gtest/gtest.h>

#include "core/contest/live_view.h"

namespace {

TEST(LiveView, ShortEntriesAreOneOrTwoBytes) {
  EXPECT_FALSE(IsShortEntry(""));
  EXPECT_TRUE(IsShortEntry("J"));
  EXPECT_TRUE(IsShortEntry("JA"));
  EXPECT_FALSE(IsShortEntry("JA1"));
}

TEST(LiveView, SpotNeedsMoreThan300Hertz) {
  struct {
    double Hz, LastSpot;
    bool Sends;
  } cases[] = {{7000000, 0, true},        {7000300, 7000000, false}, {7000301, 7000000, true},
               {6999700, 7000000, false}, {6999699, 7000000, true},  {7000000, 7000000, false}};
  for (auto& c : cases)
    EXPECT_EQ(FrequencyMovedForSpot(c.Hz, c.LastSpot), c.Sends) << c.Hz << " from " << c.LastSpot;
}

TEST(LiveView, TitlesAreBuiltFromTheirPartsNotAsFormats) {
  EXPECT_EQ(DistrictWindowTitle(2, 12), "DKZ CNT on 40m 12  of 62");
  EXPECT_EQ(DistrictWindowTitle(kNoBand, 0), "DKZ CNT on  0  of 62");
  EXPECT_EQ(WorkedBeforeTitle("2016", "JA1ABC"), "DKZ 2016 worked with JA1ABC");
  EXPECT_EQ(WorkedBeforeTitle("2016", "%s%n%d"), "DKZ 2016 worked with %s%n%d");
}

QsoRecord Qso(const std::string& call, const std::string& band, int hour, const std::string& prefix,
              const std::string& exchange) {
  QsoRecord qso;
  qso.Call = call;
  qso.Band = band;
  qso.Mode = "CW";
  qso.Prefix = prefix;
  qso.ExchRcvd = exchange;
  qso.District = prefix == "JA" ? exchange : "";
  qso.Time = MakeOleDateTime(2016, 6, 10, hour, 5);
  return qso;
}

TEST(LiveView, WorkedBeforeRowsShowTheLastQsoPerBand) {
  PerBandLists grid;  // not seeded by a reset yet
  ResetWorkedBeforeRows(grid);
  for (int b = 0; b < kBandCount; ++b)
    EXPECT_EQ(grid[b], (TextList{kDkzRules.Bands[b].Text, "   -", "   -", " -"}));

  QsoLog log;
  log.Append(Qso("JA1ABC", "40m", 10, "JA", "AC"));
  log.Append(Qso("JA1ABC", "40m", 11, "JA", "TK"));   // later in log order: wins
  log.Append(Qso("JA1ABC", "20m", 12, "DL", "599"));  // not Japanese: the exchange
  log.Append(Qso("JA1ABD", "80m", 13, "JA", "YN"));   // another call
  log.Append(Qso("ja1abc", "10m", 14, "JA", "YN"));   // case counts
  log.Append(Qso("JA1ABC", "30m", 15, "JA", "YN"));   // no contest band
  QsoRecord zeroPoints = Qso("JA1ABC", "15m", 16, "JA", "SO");
  zeroPoints.Excluded = true;  // scored or not, it is shown
  log.Append(zeroPoints);
  FillWorkedBeforeRows(grid, log, "JA1ABC");

  EXPECT_EQ(grid[0], (TextList{"160m", "   -", "   -", " -"}));
  EXPECT_EQ(grid[1], (TextList{"80m", "   -", "   -", " -"}));
  EXPECT_EQ(grid[2], (TextList{"40m", "11:05", "CW", "TK"}));
  EXPECT_EQ(grid[3], (TextList{"20m", "12:05", "CW", "599"}));
  EXPECT_EQ(grid[4], (TextList{"15m", "16:05", "CW", "SO"}));
  EXPECT_EQ(grid[5], (TextList{"10m", "   -", "   -", " -"}));

  // The next update starts from dashes again; the band names stay.
  grid[2][0] = "kept";
  ResetWorkedBeforeRows(grid);
  EXPECT_EQ(grid[2], (TextList{"kept", "   -", "   -", " -"}));
}

TEST(LiveView, TicksAndFlagsFollowExactCodes) {
  auto ticks = DistrictTicks({"AC", "YN", "ac", "XX", "", "AC"});
  int count = 0;
  for (int t : ticks)
    count += t;
  EXPECT_EQ(count, 2);
  EXPECT_EQ(ticks[0], 1);
  EXPECT_EQ(ticks[kDistrictCount - 1], 1);

  auto flags = ContinentFlags({"AS", "EU", "eu", "XX", "OC"});
  EXPECT_EQ(flags, (std::array<int, 6>{1, 0, 0, 0, 1, 1}));
}

}  // namespace
