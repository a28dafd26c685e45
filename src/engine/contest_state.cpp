#include "engine/contest_state.h"

#include "engine/settings.h"

const char* const SettingsSection = "Settings";
const char* const SettingsFile = "Plugins\\DKZ.ini";

std::mutex& StateLock() {
  static std::mutex lock;
  return lock;
}
