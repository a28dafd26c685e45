#include "check/contest_period.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "core/base/date_time.h"

namespace {

constexpr int64_t kDay = 86400;

int64_t DayOf(const CalendarTime& t) {
  CalendarTime date{t.Year, t.Month, t.Day, 0, 0, 0};
  int64_t seconds = UtcSecondsOf(date);
  return seconds >= 0 ? seconds / kDay : (seconds - kDay + 1) / kDay;
}

CalendarTime DateOfDay(int64_t day) {
  return CalendarOf(day * kDay);
}

std::string DateText(const CalendarTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", t.Year, t.Month, t.Day);
  return text;
}

}  // namespace

bool ContestPeriod::Holds(const CalendarTime& time) const {
  int64_t day = DayOf(time);
  return DayOf(First) <= day && day <= DayOf(Last);
}

std::string ContestPeriod::Text() const {
  if (NoQsos)
    return "none: no QSOs to choose it by; give --from and --to to set it";
  return DateText(First) + " to " + DateText(Last) + " (UTC)" +
         (Given ? ", as given"
                : ", the two days that hold most QSOs; give --from and --to to set it");
}

void CountDay(QsosPerDay& days, const CalendarTime& time) {
  ++days[DayOf(time)];
}

ContestPeriod ChoosePeriod(const std::optional<CalendarTime>& from,
                           const std::optional<CalendarTime>& to,
                           const std::vector<CalendarTime>& days) {
  QsosPerDay perDay;
  for (const CalendarTime& t : days)
    CountDay(perDay, t);
  return ChoosePeriod(from, to, perDay);
}

ContestPeriod ChoosePeriod(const std::optional<CalendarTime>& from,
                           const std::optional<CalendarTime>& to, const QsosPerDay& perDay) {
  ContestPeriod period;
  if (from || to) {
    period.Given = true;
    period.First = DateOfDay(from ? DayOf(*from) : DayOf(*to) - 1);
    period.Last = DateOfDay(to ? DayOf(*to) : DayOf(*from) + 1);
    return period;
  }
  int64_t best = 0;
  size_t most = 0;
  for (const auto& [day, count] : perDay) {
    auto next = perDay.find(day + 1);
    size_t both = count + (next == perDay.end() ? 0 : next->second);
    if (both > most) {
      most = both;
      best = day;
    }
  }
  period.First = DateOfDay(best);
  period.Last = DateOfDay(best + 1);
  period.NoQsos = most == 0;
  return period;
}
