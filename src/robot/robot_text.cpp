#include "robot/robot_text.h"

#include <chrono>
#include <cstdio>

#include "core/base/date_time.h"
#include "core/base/text.h"

std::string IsoUtc(int64_t utcSeconds) {
  CalendarTime t = CalendarOf(utcSeconds);
  char text[32];
  snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", t.Year, t.Month, t.Day, t.Hour,
           t.Minute, t.Second);
  return text;
}

int64_t NowUtcSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}
