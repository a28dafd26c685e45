#include "logs/log_values.h"

namespace {

bool AllDigits(const std::string& text, size_t begin, size_t count) {
  if (begin + count > text.size())
    return false;
  for (size_t i = begin; i < begin + count; ++i) {
    if (text[i] < '0' || text[i] > '9')
      return false;
  }
  return true;
}

int Number(const std::string& text, size_t begin, size_t count) {
  int value = 0;
  for (size_t i = begin; i < begin + count; ++i)
    value = value * 10 + (text[i] - '0');
  return value;
}

bool ValidDate(int year, int month, int day) {
  static const int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1930 || year > 9999 || month < 1 || month > 12 || day < 1)
    return false;
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  int last = month == 2 && !leap ? 28 : kDays[month - 1];
  return day <= last;
}

bool SetDate(int year, int month, int day, CalendarTime& out) {
  if (!ValidDate(year, month, day))
    return false;
  out.Year = year;
  out.Month = month;
  out.Day = day;
  return true;
}

}  // namespace

bool ParseCompactDate(const std::string& text, CalendarTime& out) {
  return text.size() == 8 && AllDigits(text, 0, 8) &&
         SetDate(Number(text, 0, 4), Number(text, 4, 2), Number(text, 6, 2), out);
}

bool ParseIsoDate(const std::string& text, CalendarTime& out) {
  return text.size() == 10 && AllDigits(text, 0, 4) && text[4] == '-' && AllDigits(text, 5, 2) &&
         text[7] == '-' && AllDigits(text, 8, 2) &&
         SetDate(Number(text, 0, 4), Number(text, 5, 2), Number(text, 8, 2), out);
}

bool ParseTimeOfDay(const std::string& text, CalendarTime& out) {
  if ((text.size() != 4 && text.size() != 6) || !AllDigits(text, 0, text.size()))
    return false;
  int hour = Number(text, 0, 2), minute = Number(text, 2, 2);
  int second = text.size() == 6 ? Number(text, 4, 2) : 0;
  if (hour > 23 || minute > 59 || second > 59)
    return false;
  out.Hour = hour;
  out.Minute = minute;
  out.Second = second;
  return true;
}

bool ParseMegahertz(const std::string& text, uint32_t& hertz) {
  // Decimal arithmetic on the digits, so that 7.012 is exactly 7012000 Hz.
  size_t dot = text.find('.');
  std::string whole = text.substr(0, dot);
  std::string fraction = dot == std::string::npos ? "" : text.substr(dot + 1);
  if ((whole.empty() && fraction.empty()) || whole.size() > 5 ||
      !AllDigits(whole, 0, whole.size()) || !AllDigits(fraction, 0, fraction.size()))
    return false;
  unsigned long long value = 0;
  for (char c : whole)
    value = value * 10 + static_cast<unsigned>(c - '0');
  for (size_t i = 0; i < 6; ++i)
    value = value * 10 + (i < fraction.size() ? static_cast<unsigned>(fraction[i] - '0') : 0);
  if (fraction.size() > 6 && fraction[6] >= '5')
    ++value;
  if (value > UINT32_MAX)
    return false;
  hertz = static_cast<uint32_t>(value);
  return true;
}

bool ParseKilohertz(const std::string& text, uint32_t& hertz) {
  if (text.empty() || text.size() > 7 || !AllDigits(text, 0, text.size()))
    return false;
  unsigned long long value = 0;
  for (char c : text)
    value = value * 10 + static_cast<unsigned>(c - '0');
  value *= 1000;
  if (value > UINT32_MAX)
    return false;
  hertz = static_cast<uint32_t>(value);
  return true;
}

std::string FirstControlCharacter(const std::string& text) {
  for (char c : text) {
    unsigned char code = static_cast<unsigned char>(c);
    if (code >= 0x20 && code != 0x7F)
      continue;
    switch (code) {
      case '\r':
        return "CR";
      case '\n':
        return "LF";
      case '\0':
        return "NUL";
      case '\t':
        return "TAB";
      default: {
        const char* hex = "0123456789ABCDEF";
        return std::string("0x") + hex[code >> 4] + hex[code & 15];
      }
    }
  }
  return "";
}

size_t TextStart(const std::string& text) {
  return text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
}

std::string Quoted(const std::string& value) {
  return "'" + Clipped(value, 40) + "'";
}
