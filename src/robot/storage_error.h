// The data folder failed us (full, read-only, an I/O error): the upload gets
// no receipt and the client a 503, never a success.
#pragma once

#include <stdexcept>

class StorageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
