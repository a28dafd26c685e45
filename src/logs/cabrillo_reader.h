// A Cabrillo 3 file read as a log of a CW contest with RST and one exchange:
// QSO: freq mo date time call rst exch call rst exch [t]
#pragma once

#include <string>
#include <vector>

#include "logs/log_qso.h"

// Reads the QSO: lines up to END-OF-LOG:, and CALLSIGN: as the own call.
// X-QSO: lines are not claimed: they are left out and counted in one note.
// A QSO line that cannot be read is left out and named in `Skipped`.
LogContents ReadCabrilloLog(const std::string& text, const std::string& fileName);

// Cabrillo's two-letter modes in the words a logging program uses ("PH" is
// "SSB"); other modes upper case as they stand.
std::string CabrilloModeName(const std::string& token);

// The fields a QSO line has at most: ten and the transmitter id.
constexpr size_t kMostQsoFields = 11;

// Whether the fields after "QSO:" are as many as this contest's line has:
// ten, or eleven when the last is a transmitter id (0 or 1).
bool HasQsoFieldCount(const std::vector<std::string>& fields);

// The six fields after the time: own call, RST and exchange sent, the worked
// call, RST and exchange received.
void TakeStationFields(const std::vector<std::string>& fields, LogQso& qso);

// True when the first non-blank line is START-OF-LOG: or QSO:.
bool LooksLikeCabrillo(const std::string& text);
