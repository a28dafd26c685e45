#include "scorer/check_scorer.h"

#include <algorithm>
#include <thread>

#include "native_plugin/native_pass.h"

std::unique_ptr<LogScorer> MakeCheckScorer(int /*lane*/) {
  return std::make_unique<NativeScorer>();
}

int CheckLanes() {
  return std::max(1u, std::thread::hardware_concurrency());
}
