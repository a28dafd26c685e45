#include "failure_text.h"

#include "check_options.h"
#include "score_options.h"

std::string UsageErrorText(const std::string& message) {
  return "dkz-score: " + message + "\n\n" + kUsageText + "\n" + kCheckUsageText;
}

std::string FailureText(const std::exception& failure) {
  return std::string("dkz-score: ") + failure.what() + "\n";
}
