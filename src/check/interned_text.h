// A text held once for the whole process however many QSOs carry it: a
// contest's millions of QSO lines repeat a few thousand calls, bands, modes
// and exchanges, and a 4-byte handle is all each line keeps of them.
#pragma once

#include <cstdint>
#include <string>

class InternedText {
 public:
  InternedText() = default;               // the empty text
  InternedText(const std::string& text);  // NOLINT: a text is taken where one is asked for
  InternedText(const char* text);         // NOLINT

  const std::string& str() const;
  operator const std::string&() const { return str(); }  // NOLINT
  bool empty() const { return id_ == 0; }

  // The same text is always the same handle.
  bool operator==(const InternedText& other) const { return id_ == other.id_; }
  bool operator!=(const InternedText& other) const { return id_ != other.id_; }

 private:
  uint32_t id_ = 0;
};

inline std::string operator+(const std::string& a, const InternedText& b) {
  return a + b.str();
}
inline std::string operator+(const InternedText& a, const std::string& b) {
  return a.str() + b;
}
inline std::string operator+(const char* a, const InternedText& b) {
  return a + b.str();
}
