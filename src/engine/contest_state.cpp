#include "engine/contest_state.h"

#include "engine/settings.h"

const char* const SettingsSection = "Settings";
const char* const SettingsFile = "Plugins\\DKZ.ini";

ContestState& CurrentContest() {
  static ContestState state;
  return state;
}

std::mutex& StateLock() {
  static std::mutex lock;
  return lock;
}
