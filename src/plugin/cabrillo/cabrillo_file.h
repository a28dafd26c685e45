// The Cabrillo file of a pass the host asked it for: its header confirmed in
// the dialog at the reset, the file written at the summary. Both run on the
// host's thread.
#pragma once

#include <string>

// Shows the modal "DKZ Contest" dialog on the host's thread; true on OK.
bool ConfirmCabrilloHeader(const std::string& ownCall);

// Writes the Cabrillo file of the whole log and tells the user in the "Output"
// message box. True when the file was written.
bool WriteCabrilloLog();
