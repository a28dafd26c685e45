// Parsers for the values of log fields. Each returns false for text that is
// not a valid value, leaving the output unspecified.
#pragma once

#include <cstdint>
#include <string>

#include "core/base/date_time.h"
#include "core/base/text.h"  // ToUpper, ToLower and EqualsIgnoreCase, which the readers use

// "20230610" (ADIF date) into the date fields of `out`.
bool ParseCompactDate(const std::string& text, CalendarTime& out);
// "2023-06-10" (Cabrillo and command-line date) into the date fields of `out`.
bool ParseIsoDate(const std::string& text, CalendarTime& out);
// "1205" or "120533" into the time fields of `out` (seconds 0 when absent).
bool ParseTimeOfDay(const std::string& text, CalendarTime& out);
// Megahertz with an optional fraction ("7.0125") into whole hertz, rounded to
// the nearest hertz; false when it does not fit 32 bits.
bool ParseMegahertz(const std::string& text, uint32_t& hertz);
// Whole kilohertz ("7012") into hertz; false when it does not fit 32 bits.
bool ParseKilohertz(const std::string& text, uint32_t& hertz);

// The first control character of `text` (C0 or DEL) by name: "CR", "LF",
// "NUL", "TAB" or its code such as "0x1B"; empty when there is none.
std::string FirstControlCharacter(const std::string& text);

// A value of a file as a message quotes it: in quotes, at most 40 bytes, on
// one line, however long the value sent.
std::string Quoted(const std::string& value);

// Where the text of a file starts: after its UTF-8 byte-order mark, if any.
size_t TextStart(const std::string& text);
