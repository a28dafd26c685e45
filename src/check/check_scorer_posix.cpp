#include "check_scorer.h"

#include "native_pass.h"

std::unique_ptr<LogScorer> MakeCheckScorer() {
  return std::make_unique<NativeScorer>();
}
