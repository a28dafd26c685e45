// Small text helpers of the robot: the times it writes (and, from the core,
// Clipped: what it shows of text it was sent).
#pragma once

#include <cstdint>
#include <string>

#include "core/base/text.h"

// "2026-06-14T12:00:05Z" of UTC seconds since 1970.
std::string IsoUtc(int64_t utcSeconds);

// The current time in UTC seconds since 1970.
int64_t NowUtcSeconds();
