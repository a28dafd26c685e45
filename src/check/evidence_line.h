// A Cabrillo QSO line read as evidence that the QSO took place, in the forms
// entrants' files hold beside the one the plug-in's readers take: a time with
// a colon or of one to three digits, a frequency in MHz or in kHz with a
// fraction, a band's name, a date without hyphens. The fields stay this
// contest's: freq mode date time call rst exch call rst exch [transmitter id].
#pragma once

#include <string>

#include "logs/log_qso.h"

// `fields` is what follows "QSO:" (or "X-QSO:"). False when even so the line
// cannot be read, or the worked call is too long to be one.
bool ReadEvidenceLine(const std::string& fields, LogQso& qso);
