// Symbolic links for the tests: made by the system where it can, and under
// Wine, whose CreateSymbolicLink makes none, by the POSIX ln that Wine starts.
// Wine deletes what a link leads to when asked to delete the link, so the
// link goes the same way it came.
#pragma once

#include <string>

class TestLink {
 public:
  // A link at `name` (in the current folder) to `target`, a name relative to
  // it; to a folder as well as to a file.
  TestLink(const std::string& name, const std::string& target);
  ~TestLink();
  TestLink(const TestLink&) = delete;
  TestLink& operator=(const TestLink&) = delete;

  bool Made() const { return made_; }

 private:
  std::string name_;
  bool folder_ = false;
  bool made_ = false;
};
