// One section of the plug-in's settings file through the private-profile
// service; the relative path is handed over unchanged, so the file lives
// below the host's current folder.
#pragma once

#include <string>

#include "core/engine/settings.h"

class ProfileSection : public Settings {
 public:
  // Values read back hold at most `capacity` - 1 bytes.
  ProfileSection(const char* section, size_t capacity) : section_(section), capacity_(capacity) {}

  std::string ReadText(const char* key, const std::string& fallback) override;
  bool WriteText(const char* key, const std::string& value) override;

 private:
  const char* section_;
  size_t capacity_;
};
