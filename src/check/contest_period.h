// The days of the contest, as the check takes them: from the command line
// (--from, --to, as score takes them), or else the two days that hold most of
// the QSOs of all logs. QSOs outside them score nothing and are not judged.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/base/date_time.h"

struct ContestPeriod {
  CalendarTime First{};  // UTC days, both included; the time of day is 0
  CalendarTime Last{};
  bool Given = false;   // from the command line
  bool NoQsos = false;  // not given, and no QSO to choose it by

  bool Holds(const CalendarTime& time) const;
  // "2026-06-13 to 2026-06-14 (UTC), the two days that hold most QSOs; give
  // --from and --to to set it"
  std::string Text() const;
};

// QSO lines per day (days since 1970-01-01).
using QsosPerDay = std::map<int64_t, size_t>;
void CountDay(QsosPerDay& days, const CalendarTime& time);

// `days`: the date of every QSO line read. With one end given, the other is
// the next (or the day before). The earliest of equal pairs of days is taken.
ContestPeriod ChoosePeriod(const std::optional<CalendarTime>& from,
                           const std::optional<CalendarTime>& to,
                           const std::vector<CalendarTime>& days);
ContestPeriod ChoosePeriod(const std::optional<CalendarTime>& from,
                           const std::optional<CalendarTime>& to, const QsosPerDay& days);
