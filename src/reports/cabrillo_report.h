// The Cabrillo export's two moments: the header dialog at the reset of a report
// run, and writing the file at the summary.
#pragma once

#include <string>

#include "base/date_time.h"

// Shows the modal "DKZ Contest" dialog on the host's thread; true on OK.
bool BeginLog(const std::string& ownCall, const OleDateTime& periodStart,
              const OleDateTime& periodEnd);

// Writes the Cabrillo file of the whole log and tells the user in the "Output"
// message box. True when the file was written.
bool RunCabrilloReport();
