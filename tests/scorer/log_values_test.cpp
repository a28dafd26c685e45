#include <gtest/gtest.h>

#include "logs/band_plan.h"
#include "logs/log_values.h"

namespace {

TEST(LogValues, MegahertzBecomeExactHertz) {
  const struct {
    const char* Text;
    bool Ok;
    uint32_t Hz;
  } cases[] = {
      {"7.012", true, 7012000},
      {"7.0125", true, 7012500},
      {"14", true, 14000000},
      {"1.8305", true, 1830500},
      {".5", true, 500000},
      {"7.0120004", true, 7012000},
      {"7.0120005", true, 7012001},
      {"4294.967295", true, UINT32_MAX},
      {"4294.967296", false, 0},
      {"10368.1", false, 0},
      {"", false, 0},
      {".", false, 0},
      {"7,012", false, 0},
      {"-7.012", false, 0},
      {"7.012 ", false, 0},
      {"1e3", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    uint32_t hz = 0;
    EXPECT_EQ(ParseMegahertz(c.Text, hz), c.Ok);
    if (c.Ok) {
      EXPECT_EQ(hz, c.Hz);
    }
  }
}

TEST(LogValues, DatesAndTimesAreChecked) {
  CalendarTime t{};
  EXPECT_TRUE(ParseCompactDate("20240229", t));
  EXPECT_FALSE(ParseCompactDate("20230229", t));
  EXPECT_FALSE(ParseCompactDate("19291231", t));  // ADIF dates start in 1930
  EXPECT_FALSE(ParseCompactDate("2023-06-10", t));
  EXPECT_TRUE(ParseIsoDate("2000-02-29", t));
  EXPECT_FALSE(ParseIsoDate("1900-02-29", t));
  EXPECT_FALSE(ParseIsoDate("2023-6-10", t));
  EXPECT_TRUE(ParseTimeOfDay("2359", t));
  EXPECT_EQ(t.Second, 0);
  EXPECT_TRUE(ParseTimeOfDay("235959", t));
  EXPECT_EQ(t.Second, 59);
  EXPECT_FALSE(ParseTimeOfDay("2400", t));
  EXPECT_FALSE(ParseTimeOfDay("12345", t));
}

TEST(BandPlan, FindsBandsByFrequencyNameAndDesignator) {
  EXPECT_EQ(BandOfFrequency(1830000), "160m");
  EXPECT_EQ(BandOfFrequency(7000000), "40m");
  EXPECT_EQ(BandOfFrequency(7300000), "40m");
  EXPECT_EQ(BandOfFrequency(7300001), "");
  EXPECT_EQ(BandOfFrequency(10115000), "30m");
  EXPECT_EQ(BandOfFrequency(29000000), "10m");
  EXPECT_EQ(BandLowerEdge("20M"), 14000000u);
  EXPECT_EQ(BandLowerEdge("11m"), 0u);
  EXPECT_EQ(BandOfDesignator("144"), "2m");
  EXPECT_EQ(BandOfDesignator("1.2g"), "23cm");
  EXPECT_EQ(BandOfDesignator("7000"), "");
}

}  // namespace
