// A text held once per run however many QSOs carry it: a contest's millions
// of QSO lines repeat a few thousand calls, bands, modes and exchanges, and a
// 4-byte handle is all each line keeps of them.
//
// The texts belong to the run that made them (an upload's judgement, a check):
// a TextPoolScope opened for the run holds them, and they are freed when it
// closes, so that a server judging upload after upload does not grow. Outside
// any scope they live in the process's pool until it ends (tests, small tools).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class TextPool;

// While it lives, the texts this thread interns or reads are its pool's: a new
// one of its own, or, given another thread's, that one (a run's lanes). A text
// is read only while its pool is open, on a thread that uses it.
class TextPoolScope {
 public:
  TextPoolScope();
  explicit TextPoolScope(TextPool& shared);
  ~TextPoolScope();
  TextPoolScope(const TextPoolScope&) = delete;
  TextPoolScope& operator=(const TextPoolScope&) = delete;

 private:
  std::unique_ptr<TextPool> owned_;
  TextPool* previous_;
};

// The pool this thread uses now, to hand to another thread of the same run.
TextPool& CurrentTextPool();
// How many distinct texts it holds (the empty text among them).
size_t TextsHeld(const TextPool& pool);

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
