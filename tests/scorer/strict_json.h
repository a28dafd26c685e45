// A strict JSON check for the tests: one value, RFC 8259 grammar, and text
// that is valid UTF-8 (no surrogates, nothing above U+10FFFF, no overlong
// forms), as a strict parser reads it.
#pragma once

#include <cctype>
#include <string>

namespace strict_json {

class Checker {
 public:
  explicit Checker(const std::string& text) : s_(text) {}

  // Empty when valid; else what is wrong and where.
  std::string Fault() {
    Blank();
    if (!Value())
      return fault_.empty() ? Here("no value") : fault_;
    Blank();
    return at_ == s_.size() ? "" : Here("text after the value");
  }

 private:
  std::string Here(const std::string& what) {
    if (fault_.empty())
      fault_ = what + " at byte " + std::to_string(at_);
    return fault_;
  }
  bool Fail(const std::string& what) {
    Here(what);
    return false;
  }
  unsigned char Peek() const { return at_ < s_.size() ? static_cast<unsigned char>(s_[at_]) : 0; }
  void Blank() {
    while (at_ < s_.size() &&
           (s_[at_] == ' ' || s_[at_] == '\t' || s_[at_] == '\n' || s_[at_] == '\r'))
      ++at_;
  }
  bool Literal(const char* word) {
    std::string w = word;
    if (s_.compare(at_, w.size(), w) != 0)
      return Fail("bad literal");
    at_ += w.size();
    return true;
  }
  bool Value() {
    switch (Peek()) {
      case '{':
        return Members('}', true);
      case '[':
        return Members(']', false);
      case '"':
        return String();
      case 't':
        return Literal("true");
      case 'f':
        return Literal("false");
      case 'n':
        return Literal("null");
      default:
        return Number();
    }
  }
  bool Members(char close, bool object) {
    ++at_;
    Blank();
    if (Peek() == close) {
      ++at_;
      return true;
    }
    for (;;) {
      Blank();
      if (object) {
        if (Peek() != '"' || !String())
          return Fail("a key is no string");
        Blank();
        if (Peek() != ':')
          return Fail("no ':' after a key");
        ++at_;
        Blank();
      }
      if (!Value())
        return false;
      Blank();
      if (Peek() == ',') {
        ++at_;
        continue;
      }
      if (Peek() != close)
        return Fail("no ',' or closing bracket");
      ++at_;
      return true;
    }
  }
  bool Number() {
    size_t start = at_;
    if (Peek() == '-')
      ++at_;
    if (Peek() == '0') {
      ++at_;
    } else if (Peek() >= '1' && Peek() <= '9') {
      while (Peek() >= '0' && Peek() <= '9')
        ++at_;
    } else {
      return Fail("no value");
    }
    if (Peek() == '.') {
      ++at_;
      if (!(Peek() >= '0' && Peek() <= '9'))
        return Fail("bad fraction");
      while (Peek() >= '0' && Peek() <= '9')
        ++at_;
    }
    if (Peek() == 'e' || Peek() == 'E') {
      ++at_;
      if (Peek() == '+' || Peek() == '-')
        ++at_;
      if (!(Peek() >= '0' && Peek() <= '9'))
        return Fail("bad exponent");
      while (Peek() >= '0' && Peek() <= '9')
        ++at_;
    }
    return at_ > start;
  }
  bool String() {
    ++at_;
    for (;;) {
      unsigned char c = Peek();
      if (at_ >= s_.size())
        return Fail("unterminated string");
      if (c == '"') {
        ++at_;
        return true;
      }
      if (c < 0x20)
        return Fail("raw control character in a string");
      if (c == '\\') {
        ++at_;
        char e = static_cast<char>(Peek());
        if (e == 'u') {
          for (int i = 1; i <= 4; ++i) {
            if (!std::isxdigit(static_cast<unsigned char>(at_ + i < s_.size() ? s_[at_ + i] : 'x')))
              return Fail("bad \\u escape");
          }
          at_ += 5;
        } else if (std::string("\"\\/bfnrt").find(e) != std::string::npos && e != 0) {
          ++at_;
        } else {
          return Fail("bad escape");
        }
        continue;
      }
      if (c < 0x80) {
        ++at_;
        continue;
      }
      if (!Utf8())
        return false;
    }
  }
  // One multi-byte UTF-8 sequence, checked as a strict decoder does.
  bool Utf8() {
    unsigned char c = Peek();
    size_t length = c >= 0xC2 && c <= 0xDF   ? 2
                    : c >= 0xE0 && c <= 0xEF ? 3
                    : c >= 0xF0 && c <= 0xF4 ? 4
                                             : 0;
    if (length == 0 || at_ + length > s_.size())
      return Fail("invalid UTF-8 lead byte");
    unsigned long code = c & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
    for (size_t i = 1; i < length; ++i) {
      unsigned char next = static_cast<unsigned char>(s_[at_ + i]);
      if ((next & 0xC0) != 0x80)
        return Fail("invalid UTF-8 continuation");
      code = (code << 6) | (next & 0x3F);
    }
    const unsigned long least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length])
      return Fail("overlong UTF-8");
    if (code >= 0xD800 && code <= 0xDFFF)
      return Fail("UTF-8 of a surrogate");
    if (code > 0x10FFFF)
      return Fail("UTF-8 above U+10FFFF");
    at_ += length;
    return true;
  }

  const std::string& s_;
  size_t at_ = 0;
  std::string fault_;
};

}  // namespace strict_json

// Empty when `text` is one valid JSON value in valid UTF-8; else the fault.
inline std::string StrictJsonFault(const std::string& text) {
  return strict_json::Checker(text).Fault();
}
