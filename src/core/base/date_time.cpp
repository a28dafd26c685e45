#include "core/base/date_time.h"

#include <cmath>
#include <cstring>

namespace {

// Days since 1970-01-01 in the proleptic Gregorian calendar, both ways
// (H. Hinnant's algorithms).
constexpr long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

// Constant: known before any other file's static values are made from dates.
constexpr long long kOleEpoch = DaysFromCivil(1899, 12, 30);
const long long kSecondsPerDay = 86400;
// The OLE automation range: 1 January 100 to 31 December 9999.
const double kMinOleDate = -657434.0;
const double kMaxOleDate = 2958466.0;

// `value` is never negative (ToCalendarTime's fields); zero-padded to `width`.
void AppendNumber(std::string& out, int value, int width) {
  char digits[12];
  int n = 0;
  for (unsigned rest = static_cast<unsigned>(value); rest != 0 || n < width; rest /= 10)
    digits[n++] = static_cast<char>('0' + rest % 10);
  while (n > 0)
    out += digits[--n];
}

}  // namespace

bool ToCalendarTime(const OleDateTime& value, CalendarTime& out) {
  if (value.State != OleDateTime::kValid || !std::isfinite(value.Date))
    return false;
  if (value.Date <= kMinOleDate - 1.0 || value.Date >= kMaxOleDate)
    return false;
  // The integer part names the day and the fraction is the time of day, also
  // for negative dates, where it counts forward from midnight.
  double whole = std::trunc(value.Date);
  long long day = static_cast<long long>(whole);
  long long seconds = std::llround(std::fabs(value.Date - whole) * 86400.0);
  if (seconds >= 86400) {
    seconds -= 86400;
    day += 1;
  }
  CivilFromDays(kOleEpoch + day, out.Year, out.Month, out.Day);
  if (out.Year < 100 || out.Year > 9999)
    return false;
  out.Hour = static_cast<int>(seconds / 3600);
  out.Minute = static_cast<int>(seconds / 60 % 60);
  out.Second = static_cast<int>(seconds % 60);
  return true;
}

int64_t UtcSecondsOf(const CalendarTime& time) {
  return DaysFromCivil(time.Year, static_cast<unsigned>(time.Month),
                       static_cast<unsigned>(time.Day)) *
             kSecondsPerDay +
         time.Hour * 3600 + time.Minute * 60 + time.Second;
}

CalendarTime CalendarOf(int64_t utcSeconds) {
  // Whole days toward the past, so that the time of day is never negative.
  long long days = utcSeconds / kSecondsPerDay;
  long long seconds = utcSeconds % kSecondsPerDay;
  if (seconds < 0) {
    seconds += kSecondsPerDay;
    days -= 1;
  }
  CalendarTime time{};
  CivilFromDays(days, time.Year, time.Month, time.Day);
  time.Hour = static_cast<int>(seconds / 3600);
  time.Minute = static_cast<int>(seconds / 60 % 60);
  time.Second = static_cast<int>(seconds % 60);
  return time;
}

OleDateTime MakeOleDateTime(int year, int month, int day, int hour, int minute, int second) {
  OleDateTime value;
  long long days =
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kOleEpoch;
  double fraction = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
  // Before the epoch the fraction still counts forward from midnight.
  value.Date =
      days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
  return value;
}

OleDateTime MakeOleDateTime(const CalendarTime& time) {
  return MakeOleDateTime(time.Year, time.Month, time.Day, time.Hour, time.Minute, time.Second);
}

std::string FormatDateTime(const OleDateTime& value, const char* pattern) {
  if (value.State == OleDateTime::kNull)
    return "";
  CalendarTime t;
  if (!ToCalendarTime(value, t))
    return "Invalid DateTime";
  std::string out;
  for (const char* p = pattern ? pattern : ""; *p; ++p) {
    if (*p != '%' || p[1] == '\0') {
      out += *p;
      continue;
    }
    switch (*++p) {
      case 'Y':
        AppendNumber(out, t.Year, 4);
        break;
      case 'm':
        AppendNumber(out, t.Month, 2);
        break;
      case 'd':
        AppendNumber(out, t.Day, 2);
        break;
      case 'H':
        AppendNumber(out, t.Hour, 2);
        break;
      case 'M':
        AppendNumber(out, t.Minute, 2);
        break;
      case 'S':
        AppendNumber(out, t.Second, 2);
        break;
      case '%':
        out += '%';
        break;
      default:
        out += '%';
        out += *p;
    }
  }
  return out;
}

OleDateTime CopyDateTime(const void* hostObject) {
  OleDateTime value;
  if (hostObject == nullptr) {
    value.State = OleDateTime::kNull;
    return value;
  }
  std::memcpy(&value, hostObject, sizeof value);
  return value;
}
