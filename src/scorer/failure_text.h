// What dkz-score prints when a run cannot go on: a wrong command line, or a
// failure of the run itself.
#pragma once

#include <exception>
#include <string>

// A wrong command line: the message and where to read how it is used.
std::string UsageErrorText(const std::string& message);

// A failure of the run, in words a user reads: FailureMessage for the JSON,
// FailureText the line printed.
std::string FailureMessage(const std::exception& failure);
std::string FailureText(const std::exception& failure);
