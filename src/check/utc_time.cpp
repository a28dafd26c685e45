#include "utc_time.h"

namespace {

constexpr int64_t kDay = 86400;

// Days since 1970-01-01 of a civil date (H. Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  int64_t era = (y >= 0 ? y : y - 399) / 400;
  int64_t yoe = y - era * 400;
  int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

}  // namespace

int64_t UtcSecondsOf(const CalendarTime& t) {
  return DaysFromCivil(t.Year, t.Month, t.Day) * kDay + t.Hour * 3600 + t.Minute * 60 + t.Second;
}

CalendarTime CalendarOf(int64_t utcSeconds) {
  int64_t days = utcSeconds >= 0 ? utcSeconds / kDay : (utcSeconds - kDay + 1) / kDay;
  int64_t secs = utcSeconds - days * kDay;
  int64_t z = days + 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  int64_t d = doy - (153 * mp + 2) / 5 + 1;
  int64_t m = mp < 10 ? mp + 3 : mp - 9;
  int64_t y = yoe + era * 400 + (m <= 2);
  return CalendarTime{static_cast<int>(y),
                      static_cast<int>(m),
                      static_cast<int>(d),
                      static_cast<int>(secs / 3600),
                      static_cast<int>(secs % 3600 / 60),
                      static_cast<int>(secs % 60)};
}
