// Small text helpers of the robot: what it shows of text it was sent, and the
// times it writes.
#pragma once

#include <cstdint>
#include <string>

// At most `limit` bytes of `text`, cut at a character boundary and marked
// "..." when cut, control characters blanked: a value quoted in a message
// stays one short line whatever was sent.
std::string Clipped(const std::string& text, size_t limit);

// "2026-06-14T12:00:05Z" of UTC seconds since 1970.
std::string IsoUtc(int64_t utcSeconds);

// The current time in UTC seconds since 1970.
int64_t NowUtcSeconds();
