// Input that cannot be used at all (missing file, broken header, no QSOs):
// the message names the file and, where there is one, the line.
#pragma once

#include <stdexcept>

class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
