// The calls of the stations that sent a log, filed under every form with one
// character dropped, so that the calls one edit away from any text are found
// with a handful of look-ups rather than a comparison with every call.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "check/qso_index.h"

class NearCalls {
 public:
  explicit NearCalls(const QsoIndex& index);

  // Ids of the calls with a log that are one character changed, added or dropped from `call`.
  std::vector<int> Near(int call) const;

 private:
  const QsoIndex& index_;
  std::unordered_map<std::string, std::vector<int>> byKey_;
};
