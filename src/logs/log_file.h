// Reads a log file in whichever format it is written.
#pragma once

#include <string>

#include "log_qso.h"

// Reads `path` as Cabrillo when it starts like one, as ADIF otherwise.
// Messages name the file as `shownName`. Throws InputError when the file
// cannot be read at all.
LogContents ReadLogFile(const std::string& path, const std::string& shownName);

// The same for the file's bytes. Lines may end in CR LF, LF or CR alone.
// Throws InputError for UTF-16 text and for ADX (XML) files, naming what
// to save the log as instead.
LogContents ReadLogText(const std::string& bytes, const std::string& shownName);

// The whole file as bytes; throws InputError naming `shownName` on failure.
std::string ReadTextFile(const std::string& path, const std::string& shownName);
