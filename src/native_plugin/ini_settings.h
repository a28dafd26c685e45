// The plug-in's settings file read and written natively as the Windows
// private-profile service does for what the plug-in keeps there: one
// section, "Key=Value" lines with CR LF ends, keys found whatever their case,
// a changed key rewritten in its place, a new one added at its section's end.
#pragma once

#include <string>

#include "core/engine/settings.h"

class IniFileSettings : public Settings {
 public:
  explicit IniFileSettings(std::string path) : path_(std::move(path)) {}
  std::string ReadText(const char* key, const std::string& fallback = "") override;
  // Through the one writer: the file is replaced whole or left as it was.
  bool WriteText(const char* key, const std::string& value) override;

 private:
  std::string path_;
};

// The pure halves, on the file's text.
std::string ProfileValue(const std::string& text, const std::string& section,
                         const std::string& key, const std::string& fallback);
std::string WithProfileValue(const std::string& text, const std::string& section,
                             const std::string& key, const std::string& value);
