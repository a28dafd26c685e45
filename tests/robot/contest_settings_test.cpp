// What the sponsor writes for the robot: robot.conf and the sponsor's table,
// as an editor may have saved them.
#include <gtest/gtest.h>

#include "check/sponsor_table.h"
#include "logs/log_qso.h"
#include "robot/contest_settings.h"

namespace {

const char kBom[] = "\xEF\xBB\xBF";

TEST(ContestSettings, AByteOrderMarkIsReadAsNothing) {
  RobotSettings settings = ParseRobotSettings(std::string(kBom) + "missing-after = 7\n", "c");
  EXPECT_EQ(settings.MissingAfter, 7);
  SponsorTable table = SponsorTable::Parse(
      std::string(kBom) + "contest DKZ\ncategory SO * * * * Single\n", "table.txt");
  EXPECT_TRUE(table.IsThisContest("DKZ"));
}

TEST(ContestSettings, AKeyGivenTwiceIsRefusedWithBothLines) {
  try {
    ParseRobotSettings("missing-after = 3\n# the sponsor's second thought\nmissing-after = 4\n",
                       "robot.conf");
    FAIL() << "taken";
  } catch (const InputError& error) {
    EXPECT_STREQ(error.what(), "robot.conf: line 3: missing-after is given twice (also on line 1)");
  }
}

// "12:11" is the minute the sponsor named: all of it is in time.
TEST(ContestSettings, TheDeadlineIsTheEndOfItsMinute) {
  RobotSettings settings = ParseRobotSettings("deadline = 2026-06-21 12:11\n", "c");
  const int64_t minute = UtcSecondsOf(CalendarTime{2026, 6, 21, 12, 11, 0});
  EXPECT_EQ(*settings.Deadline, minute + 59);
  EXPECT_EQ(DeadlineText(settings), "2026-06-21 12:11:59 UTC");
}

}  // namespace
