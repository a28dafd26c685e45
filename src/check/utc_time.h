// UTC seconds since 1970 and calendar time, both ways (proleptic Gregorian).
#pragma once

#include <cstdint>

#include "core/base/date_time.h"

int64_t UtcSecondsOf(const CalendarTime& time);
CalendarTime CalendarOf(int64_t utcSeconds);
