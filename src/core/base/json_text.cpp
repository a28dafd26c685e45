#include "core/base/json_text.h"

#include <cstdio>

namespace {

const char* const kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

thread_local size_t replacements = 0;

// Length of the valid UTF-8 sequence at `at`; 0 when it is none: a stray
// or missing continuation byte, an overlong form, a surrogate (ED A0 80) or a
// code point above U+10FFFF (F4 90 80 80). `bad` is then the length of the
// invalid part to replace, at least 1.
size_t Utf8Length(const std::string& s, size_t at, size_t& bad) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[at + i]); };
  const unsigned char lead = byte(0);
  const size_t length = lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
  bad = 1;
  if (length == 0)
    return 0;
  // The second byte's range is narrower after these leads (Unicode's table
  // of well-formed sequences): that excludes the overlong forms, the
  // surrogates and what lies above U+10FFFF.
  unsigned char low = 0x80, high = 0xBF;
  if (lead == 0xE0)
    low = 0xA0;
  else if (lead == 0xED)
    high = 0x9F;
  else if (lead == 0xF0)
    low = 0x90;
  else if (lead == 0xF4)
    high = 0x8F;
  for (size_t i = 1; i < length; ++i) {
    if (at + i >= s.size())
      return 0;
    const unsigned char next = byte(i);
    if (i == 1 ? next < low || next > high : (next & 0xC0) != 0x80)
      return 0;
    bad = i + 1;
  }
  return length;
}

}  // namespace

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    char escaped[8];
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (size_t bad, length = Utf8Length(text, i, bad); length > 0) {
      out.append(text, i, length);
      i += length - 1;
    } else {
      out += kReplacementCharacter;
      i += bad - 1;
      ++replacements;
    }
  }
  return out + "\"";
}

size_t JsonReplacementCount() {
  return replacements;
}
