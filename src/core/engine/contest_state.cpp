#include "core/engine/contest_state.h"

#include "core/engine/settings.h"

const char* const SettingsSection = "Settings";
const char* const SettingsFile = "Plugins\\DKZ.ini";

ContestState& TheContest(const LockHeld&) {
  static ContestState state;
  return state;
}
