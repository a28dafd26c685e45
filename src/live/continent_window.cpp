#include "live/live_windows.h"

// Not built yet.
void CreateContinentWindow() {}
void RefreshContinentWindow(const int[6]) {}
