// What scores a log for the check: the plug-in, or its own code run natively.
#pragma once

#include <string>
#include <vector>

#include "core/engine/host_input.h"

class LogScorer {
 public:
  virtual ~LogScorer() = default;
  // One scoring pass: the reset, then each QSO in order; the summary after the
  // last. `stored`, when given, gets the answer to each QSO: stored or not.
  virtual std::string Score(const ResetInput& reset, const std::vector<QsoInput>& qsos,
                            std::vector<bool>* stored) = 0;
};
