// The Cabrillo export's two moments: the header dialog at the reset of a report
// run, and writing the file at the summary. Both run on the host's thread.
#pragma once

#include <string>

// Shows the modal "DKZ Contest" dialog on the host's thread; true on OK.
bool BeginLog(const std::string& ownCall);

// Writes the Cabrillo file of the whole log and tells the user in the "Output"
// message box. True when the file was written.
bool RunCabrilloReport();
