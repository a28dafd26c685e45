#include "logs/log_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "logs/adif_log.h"
#include "logs/cabrillo_reader.h"
#include "logs/log_values.h"

namespace {

// ADX, the XML form of ADIF: "<?xml" or "<ADX" after an optional BOM and blanks.
bool LooksLikeAdx(const std::string& text) {
  size_t start = text.find_first_not_of(" \t\r\n", TextStart(text));
  if (start == std::string::npos)
    return false;
  std::string head = ToUpper(text.substr(start, 5));
  return head == "<?XML" || head.compare(0, 4, "<ADX") == 0;
}

// Old Mac files end lines with a lone CR: make each one a LF, so that both
// readers see their lines (a LF is one byte, as the CR was: ADIF lengths hold).
std::string WithLineFeeds(std::string text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
      text[i] = '\n';
  }
  return text;
}

}  // namespace

bool LooksLikeUtf16(const std::string& text) {
  if (text.compare(0, 2, "\xFF\xFE") == 0 || text.compare(0, 2, "\xFE\xFF") == 0)
    return true;
  const size_t pairs = std::min<size_t>(text.size(), 512) / 2;
  size_t evenNuls = 0;
  size_t oddNuls = 0;
  for (size_t i = 0; i < pairs; ++i) {
    bool even = text[2 * i] == '\0';
    bool odd = text[2 * i + 1] == '\0';
    if (even && odd)
      return false;  // U+0000 is in no text: zeros, not UTF-16
    evenNuls += even;
    oddNuls += odd;
  }
  return pairs > 0 && std::max(evenNuls, oddNuls) * 2 >= pairs;
}

std::string ReadTextFile(const std::string& path, const std::string& shownName) {
  // UTF-8 names reach Windows as wide ones.
  std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
  if (!in) {
    int error = errno;
    throw InputError("cannot read " + shownName + ": " +
                     (error != 0 ? std::strerror(error) : "cannot open"));
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad())
    throw InputError("cannot read " + shownName + ": read error");
  return bytes.str();
}

LogContents ReadLogText(const std::string& bytes, const std::string& shownName) {
  if (LooksLikeUtf16(bytes)) {
    throw InputError(shownName +
                     " is written in UTF-16, which is not supported: save it as UTF-8 (or ANSI)");
  }
  if (LooksLikeAdx(bytes)) {
    throw InputError(shownName +
                     " is ADX (ADIF written as XML), which is not supported: export or save the "
                     "log as ADIF .adi");
  }
  std::string text = WithLineFeeds(bytes);
  return LooksLikeCabrillo(text) ? ReadCabrilloLog(text, shownName) : ReadAdifLog(text, shownName);
}

LogContents ReadLogFile(const std::string& path, const std::string& shownName) {
  // Refused before it is read: a file of hundreds of MB would end in running
  // out of memory, after a long wait.
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(std::filesystem::u8path(path), error);
  if (!error && size > kMaxLogBytes) {
    char megabytes[32];
    std::snprintf(megabytes, sizeof megabytes, "%.1f", size / 1e6);
    throw InputError(shownName + " is " + megabytes + " MB, more than the " +
                     std::to_string(kMaxLogBytes / 1000000) +
                     " MB a log may have (a contest log is far below 10 MB)");
  }
  return ReadLogText(ReadTextFile(path, shownName), shownName);
}
