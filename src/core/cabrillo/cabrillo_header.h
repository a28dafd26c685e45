// The Cabrillo header's life around the header dialog: loaded from the
// settings, stored back on OK, and turned into the form the file prints.
#pragma once

#include <string>

#include "core/cabrillo/cabrillo_log.h"
#include "core/engine/settings.h"

// Line breaks as the settings file keeps them: CR as "<CR>", LF as "<LF>".
std::string EscapeLineBreaks(const std::string& text);
std::string UnescapeLineBreaks(const std::string& escaped);

// From the escaped form to the file form: each "<CR>" starts a new line
// carrying `tag` again ("OPERATORS: "), each "<LF>" goes.
std::string ToFileForm(const std::string& escaped, const std::string& tag);

// Before the dialog: the own call and base name, the stored header keys with
// their defaults, the fixed starting categories, the soapbox unescaped.
// Operators stays as stored, markers and all, so the box shows them as typed.
CabrilloLog LoadCabrilloHeader(Settings& settings, const std::string& ownCall);

// After the dialog: the multi-line texts are escaped and, when the operator
// confirmed, every header key is written; then both texts take the file form
// and the QSO lines are emptied. After a cancel the texts still reach the
// file in file form, and nothing is written.
void FinishCabrilloHeader(CabrilloLog& log, Settings& settings, bool confirmed);
