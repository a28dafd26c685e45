#include "win/system_error.h"

#include <cstdio>

#include "win/wide_text.h"

std::string SystemErrorText(DWORD code, UINT codePage) {
  wchar_t buffer[512] = {};
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                code, 0, buffer, sizeof buffer / sizeof buffer[0], nullptr);
  std::string text = Narrow(std::wstring(buffer, length), codePage);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
    text.pop_back();
  if (text.empty()) {
    char number[32];
    std::snprintf(number, sizeof number, "error 0x%08lX", static_cast<unsigned long>(code));
    text = number;
  }
  return text;
}
