// The plug-in's own acceptance and summary code run natively over a log, for
// the report page's tests and benchmark: the outcome dkz-score would collect from
// the DLL for these QSOs.
#pragma once

#include <vector>

#include "core/engine/contest_state.h"
#include "score_outcome.h"

struct NativePass {
  ContestState State;  // DistrictsByBand, ClaimedScore, ... as the summary left them
  ScoreOutcome Outcome;
};

NativePass ScoreNatively(const ResetInput& reset, const std::vector<QsoInput>& qsos);
