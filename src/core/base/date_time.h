// The host's date-time value and its text formatting.
#pragma once

#include <cstdint>
#include <string>

// Layout of the host's date-time object: an OLE automation date (days since
// 30 December 1899, the fraction being the time of day) and a status word.
// The host hands us pointers to it; we always copy it by value.
struct OleDateTime {
  enum Status : int32_t { kValid = 0, kInvalid = 1, kNull = 2 };

  double Date = 0.0;
  int32_t State = kValid;
  int32_t Padding = 0;  // the host's object is 8-byte aligned: 16 bytes in all
};
static_assert(sizeof(OleDateTime) == 16, "must match the host's object");

struct CalendarTime {
  int Year, Month, Day, Hour, Minute, Second;
};

// Converts to calendar time, rounding to the nearest second as OLE automation
// does. False for a null or invalid status, NaN, infinity, or a value outside
// the years 100 to 9999.
bool ToCalendarTime(const OleDateTime& value, CalendarTime& out);

// Seconds since 1970-01-01 00:00 UTC of a calendar time, and back.
int64_t UtcSecondsOf(const CalendarTime& time);
CalendarTime CalendarOf(int64_t utcSeconds);

// Builds a value from calendar fields (used by tools and tests).
OleDateTime MakeOleDateTime(int year, int month, int day, int hour = 0, int minute = 0,
                            int second = 0);
OleDateTime MakeOleDateTime(const CalendarTime& time);

// strftime-style formatting of %Y %m %d %H %M %S and %%; other characters are
// copied as they stand. A null status gives "", an unusable value
// "Invalid DateTime".
std::string FormatDateTime(const OleDateTime& value, const char* pattern);

// Reads the host's object behind a pointer; a null pointer reads as a null date.
OleDateTime CopyDateTime(const void* hostObject);
