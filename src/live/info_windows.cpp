#include "live/info_windows.h"

// The live windows are not built yet: nothing to start or stop.
void StartInfoWindows() {}
void StopInfoWindows() {}
bool DistrictWindowExists() {
  return false;
}
void ArmDistrictTimer() {}
void StopInfoWindowsForUnload() {}
