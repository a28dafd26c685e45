// Writes a generated contest to disk: one Cabrillo file per log into a folder
// of its own, and the truth as CSV.
#pragma once

#include <stdexcept>
#include <string>

#include "contest_world.h"

class WriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Creates the file; throws WriteError when it exists already or cannot be written.
void WriteGeneratedFile(const std::string& path, const std::string& bytes);

// The folder is created and must not exist yet, nor the truth file: nothing is
// ever written over. Throws WriteError naming the path that failed.
void WriteContest(const GeneratedContest& contest, const std::string& folder,
                  const std::string& truthFile);
