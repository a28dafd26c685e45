// Where a report page may go: dkz-score replaces a page it wrote before, never
// any other file (it writes with the tools' one writer, file_writer.h).
#pragma once

#include <string>

// How every report page begins; a file that begins otherwise is not ours.
extern const char* const kReportPageStart;

// Empty when `path` (UTF-8) is free or holds a report page; otherwise why the
// page may not be written there.
std::string PagePathRefusal(const std::string& path);
