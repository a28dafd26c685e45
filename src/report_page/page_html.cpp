#include "report_page/page_html.h"

#include "core/base/date_time.h"

std::string HtmlEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string MinuteText(int64_t minute, const char* pattern) {
  OleDateTime value;
  value.Date = static_cast<double>(minute) / 1440.0;
  return FormatDateTime(value, pattern);
}
