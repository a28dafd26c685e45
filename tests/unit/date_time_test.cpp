#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/base/date_time.h"

namespace {

OleDateTime Raw(double date, int32_t status = OleDateTime::kValid) {
  OleDateTime value;
  value.Date = date;
  value.State = status;
  return value;
}

TEST(DateTime, FormatsTheHostPatterns) {
  OleDateTime qso = MakeOleDateTime(2016, 6, 9, 7, 5);
  EXPECT_EQ(FormatDateTime(qso, "%Y-%m-%d %H%M"), "2016-06-09 0705");
  EXPECT_EQ(FormatDateTime(MakeOleDateTime(2016, 6, 10), "%d.%m"), "10.06");
  EXPECT_EQ(FormatDateTime(MakeOleDateTime(2016, 6, 11), "%d.%m.%Y"), "11.06.2016");
  EXPECT_EQ(FormatDateTime(qso, "%H:%M"), "07:05");
  EXPECT_EQ(FormatDateTime(qso, "100%% %Q"), "100% %Q");
}

TEST(DateTime, RoundsToTheNearestSecondLikeOleAutomation) {
  // 07:05 as a double is a hair below the minute; truncation would print 0704.
  double date = 42530.0 + (7 * 60 + 5) / 1440.0;
  EXPECT_EQ(FormatDateTime(Raw(date), "%H%M"), "0705");
  // Half a second before midnight rolls over into the next day.
  EXPECT_EQ(FormatDateTime(Raw(42530.0 + 86399.6 / 86400.0), "%Y-%m-%d %H%M%S"),
            "2016-06-10 000000");
}

TEST(DateTime, NegativeDatesCountTheTimeForwardFromMidnight) {
  EXPECT_EQ(FormatDateTime(Raw(-1.25), "%Y-%m-%d %H:%M"), "1899-12-29 06:00");
  EXPECT_EQ(FormatDateTime(Raw(-0.5), "%Y-%m-%d %H:%M"), "1899-12-30 12:00");
  EXPECT_EQ(FormatDateTime(MakeOleDateTime(1899, 12, 29, 6, 0), "%Y-%m-%d %H:%M"),
            "1899-12-29 06:00");
}

// The check's clock arithmetic: seconds since 1970, both ways, across a leap
// day, a century and the epoch itself.
TEST(DateTime, UtcSecondsAndCalendarTimeConvertBothWays) {
  const struct {
    CalendarTime Time;
    int64_t Seconds;
  } cases[] = {
      {{1970, 1, 1, 0, 0, 0}, 0},
      {{1969, 12, 31, 23, 59, 59}, -1},
      {{2000, 2, 29, 12, 0, 0}, 951825600},
      {{2100, 3, 1, 0, 0, 1}, 4107542401},
      {{1899, 12, 30, 0, 0, 0}, -2209161600},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UtcSecondsOf(c.Time), c.Seconds) << c.Time.Year;
    CalendarTime back = CalendarOf(c.Seconds);
    EXPECT_EQ(FormatDateTime(MakeOleDateTime(back), "%Y-%m-%d %H:%M:%S"),
              FormatDateTime(MakeOleDateTime(c.Time), "%Y-%m-%d %H:%M:%S"));
  }
}

TEST(DateTime, StatusAndRangeDecideTheText) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    OleDateTime value;
    const char* text;
  } cases[] = {
      {Raw(42530.0, OleDateTime::kNull), ""},
      {Raw(42530.0, OleDateTime::kInvalid), "Invalid DateTime"},
      {Raw(42530.0, 7), "Invalid DateTime"},
      {Raw(nan), "Invalid DateTime"},
      {Raw(inf), "Invalid DateTime"},
      {Raw(-inf), "Invalid DateTime"},
      {Raw(3e6), "Invalid DateTime"},
      {Raw(-7e5), "Invalid DateTime"},
      {MakeOleDateTime(9999, 12, 31, 23, 59), "9999-12-31"},
      {MakeOleDateTime(100, 1, 1), "0100-01-01"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatDateTime(c.value, "%Y-%m-%d"), c.text) << c.value.Date;
  }
}

TEST(DateTime, CopiesTheHostObjectByValue) {
  OleDateTime original = MakeOleDateTime(2020, 2, 29, 23, 59);
  OleDateTime copy = CopyDateTime(&original);
  EXPECT_EQ(copy.Date, original.Date);
  EXPECT_EQ(CopyDateTime(nullptr).State, OleDateTime::kNull);
}

}  // namespace
