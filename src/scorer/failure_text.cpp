#include "scorer/failure_text.h"

#include <new>
#include <stdexcept>

std::string UsageErrorText(const std::string& message) {
  return "dkz-score: " + message + "\nrun 'dkz-score help' for the commands and options\n";
}

std::string FailureMessage(const std::exception& failure) {
  // Only our own messages and the system's are sentences; what the library
  // throws otherwise is a name ("std::bad_alloc") that tells a user nothing.
  std::string said;
  if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr)
    said = "there was not enough memory for this run; nothing more was written";
  else if (dynamic_cast<const std::runtime_error*>(&failure) != nullptr)
    said = failure.what();
  else
    said = std::string("the run stopped on an internal fault (") + failure.what() +
           "); nothing more was written";
  return said;
}

std::string FailureText(const std::exception& failure) {
  return "dkz-score: " + FailureMessage(failure) + "\n";
}
