// Any bytes as the host's date-time object (the first 16; the 8 of the date
// first), the rest as a format pattern, and every pattern the code uses.
#include <cstring>
#include <string>

#include "core/base/date_time.h"
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  unsigned char object[sizeof(OleDateTime)] = {};
  size_t head = size < sizeof object ? size : sizeof object;
  std::memcpy(object, data, head);
  OleDateTime value = CopyDateTime(object);
  std::string pattern(reinterpret_cast<const char*>(data) + head, size - head);

  CalendarTime t;
  if (ToCalendarTime(value, t)) {
    FuzzExpect(t.Year >= 100 && t.Year <= 9999 && t.Month >= 1 && t.Month <= 12 && t.Day >= 1 &&
                   t.Day <= 31 && t.Hour >= 0 && t.Hour < 24 && t.Minute >= 0 && t.Minute < 60 &&
                   t.Second >= 0 && t.Second < 60,
               "calendar fields are in range");
    CalendarTime back;
    OleDateTime made = MakeOleDateTime(t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second);
    FuzzExpect(ToCalendarTime(made, back) && std::memcmp(&back, &t, sizeof t) == 0,
               "calendar time survives the way back");
    FuzzExpect(FormatDateTime(value, "%Y-%m-%d %H:%M:%S").size() == 19,
               "a valid date formats to fixed width");
  }
  for (const char* used : {"%H:%M", "%Y-%m-%d %H%M", "%d.%m", "%d.%m.%Y", "%Y", "%Y-%m-%d"})
    FormatDateTime(value, used);
  FormatDateTime(value, pattern.c_str());
  FormatDateTime(value, nullptr);
  return 0;
}
