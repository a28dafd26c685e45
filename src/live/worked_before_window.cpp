#include "live/live_windows.h"

// Not built yet.
void CreateWorkedBeforeWindow() {}
void SetWorkedBeforeTitle(const std::string&) {}
void InvalidateWorkedBeforeList() {}
void CloseLiveSideWindows() {}
