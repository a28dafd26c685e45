// Reads a log file in whichever format it is written.
#pragma once

#include <cstdint>
#include <string>

#include "logs/log_qso.h"

// The largest log read: a real contest log is far below 10 MB.
inline constexpr std::uintmax_t kMaxLogBytes = 50 * 1000 * 1000;

// Reads `path` as Cabrillo when it starts like one, as ADIF otherwise.
// Messages name the file as `shownName`. Throws InputError when the file
// cannot be read at all or is larger than kMaxLogBytes (before reading it).
LogContents ReadLogFile(const std::string& path, const std::string& shownName);

// The same for the file's bytes. Lines may end in CR LF, LF or CR alone.
// Throws InputError for UTF-16 text and for ADX (XML) files, naming what
// to save the log as instead.
LogContents ReadLogText(const std::string& bytes, const std::string& shownName);

// UTF-16 by its byte-order mark, or by its NULs: text in the ASCII range has
// one in every other byte, all on one side of each pair. A file of zeros, or
// one NUL inside a field, is no UTF-16.
bool LooksLikeUtf16(const std::string& bytes);

// The whole file as bytes; throws InputError naming `shownName` on failure.
std::string ReadTextFile(const std::string& path, const std::string& shownName);
