// Settings through the private-profile service; the relative path is handed
// over unchanged, so the file lives below the host's current folder.
#include <windows.h>

#include "core/engine/settings.h"

namespace {

class ProfileSettings : public Settings {
 public:
  std::string ReadText(const char* key, const std::string& fallback) override {
    char buffer[100] = {};
    GetPrivateProfileStringA(SettingsSection, key, fallback.c_str(), buffer, sizeof buffer,
                             SettingsFile);
    return buffer;
  }
  bool WriteText(const char* key, const std::string& value) override {
    return WritePrivateProfileStringA(SettingsSection, key, value.c_str(), SettingsFile) != FALSE;
  }
};

}  // namespace

Settings& PluginSettings() {
  static ProfileSettings settings;
  return settings;
}
