#include <windows.h>

#include <vector>

#include "win/profile_section.h"

std::string ProfileSection::ReadText(const char* key, const std::string& fallback) {
  std::vector<char> buffer(capacity_, '\0');
  GetPrivateProfileStringA(section_, key, fallback.c_str(), buffer.data(),
                           static_cast<DWORD>(buffer.size()), SettingsFile);
  return buffer.data();
}

bool ProfileSection::WriteText(const char* key, const std::string& value) {
  return WritePrivateProfileStringA(section_, key, value.c_str(), SettingsFile) != FALSE;
}

Settings& PluginSettings() {
  static ProfileSection settings(SettingsSection, 100);
  return settings;
}
