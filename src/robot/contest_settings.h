// What the sponsor sets for the robot, in robot.conf of its data folder:
//
//   period-from = 2026-06-13        first day of the contest (UTC)
//   period-to = 2026-06-14          last day of the contest (UTC)
//   deadline = 2026-06-21 23:59     UTC, to 23:59:59; a log received later is kept, marked late
//   max-log-kb = 4096               a bigger upload is refused while it streams in
//   missing-after = 3               list calls found in this many logs but sent none
//
// Every key may be left out, none given twice; "#" starts a comment line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/base/date_time.h"

struct RobotSettings {
  std::optional<CalendarTime> PeriodFrom;  // date only
  std::optional<CalendarTime> PeriodTo;
  std::optional<int64_t> Deadline;  // UTC seconds since 1970: the last second in time
  size_t MaxLogBytes = size_t{4096} * 1024;
  int MissingAfter = 3;
};

// Throws InputError naming `shownName` and the line for anything it cannot take.
RobotSettings ParseRobotSettings(const std::string& text, const std::string& shownName);

// "2026-06-21 23:59:59 UTC", or "none".
std::string DeadlineText(const RobotSettings& settings);
// "2026-06-13 to 2026-06-14 (UTC)", or "not set".
std::string PeriodText(const RobotSettings& settings);
