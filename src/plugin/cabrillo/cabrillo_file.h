// The Cabrillo file's moments at the host: the header dialog at the reset,
// the "Output" message box at the summary. Both run on the host's thread,
// without the lock.
#pragma once

#include <string>

#include "core/cabrillo/cabrillo_log.h"

// Shows the modal "DKZ Contest" dialog over `log`; true on OK.
bool ShowCabrilloHeaderDialog(CabrilloLog& log);

// Tells the operator what became of the Cabrillo file.
void ShowCabrilloOutput(const std::string& message, bool written);
