// An ADIF file read as a contest log.
#pragma once

#include <string>

#include "logs/log_qso.h"

// Maps each record to a QSO. A record without a usable CALL, QSO_DATE,
// TIME_ON, MODE or band (BAND, else from FREQ) is left out and named in
// `Skipped`. Throws InputError when the file cannot be read at all.
LogContents ReadAdifLog(const std::string& text, const std::string& fileName);
