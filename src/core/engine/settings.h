// Access to the plug-in's settings: section "Settings" of "Plugins\DKZ.ini".
#pragma once

#include <cstdlib>
#include <map>
#include <string>

extern const char* const SettingsSection;  // "Settings"
extern const char* const SettingsFile;     // "Plugins\\DKZ.ini", relative to the current folder

class Settings {
 public:
  virtual ~Settings() = default;
  // A missing key gives `fallback`. Values read back hold at most 99 characters.
  virtual std::string ReadText(const char* key, const std::string& fallback = "") = 0;
  // False when the write failed (for instance, no Plugins folder); callers ignore it.
  virtual bool WriteText(const char* key, const std::string& value) = 0;

  // Numbers are decimal text read back by their leading digits: missing reads as 0.
  int ReadInt(const char* key) { return std::atoi(ReadText(key).c_str()); }
  bool WriteInt(const char* key, int value) { return WriteText(key, std::to_string(value)); }
};

// The settings file of the running plug-in (private-profile service on Windows).
Settings& PluginSettings();

// In-memory settings for tests and tools.
class MemorySettings : public Settings {
 public:
  std::string ReadText(const char* key, const std::string& fallback = "") override {
    auto it = Values.find(key);
    return it == Values.end() ? fallback : it->second.substr(0, 99);
  }
  bool WriteText(const char* key, const std::string& value) override {
    Values[key] = value;
    return true;
  }
  std::map<std::string, std::string> Values;
};
