// The plug-in's own acceptance and summary code run natively over a log, for
// the report page's tests and benchmark: the outcome dkz-score would collect from
// the DLL for these QSOs.
#pragma once

#include <vector>

#include "core/engine/contest_state.h"
#include "native_plugin/log_scorer.h"
#include "native_plugin/score_outcome.h"

struct NativePass {
  ContestState State;  // DistrictsByBand, ClaimedScore, ... as the summary left them
  ScoreOutcome Outcome;
};

NativePass ScoreNatively(const ResetInput& reset, const std::vector<QsoInput>& qsos);

// A pass that keeps, of what the plug-in said, only what was stored and the
// err.txt lines of each QSO it refused (none of the stored ones'): a log that
// repeats one QSO thousands of times makes a line for each earlier one.
std::string ScoreKeepingRefusals(const ResetInput& reset, const std::vector<QsoInput>& qsos,
                                 std::vector<bool>& stored, std::vector<ErrorProblem>& refusals);

// The check's passes through the plug-in's own code run natively: the
// plug-in's verdicts without loading it.
class NativeScorer : public LogScorer {
 public:
  std::string Score(const ResetInput& reset, const std::vector<QsoInput>& qsos,
                    std::vector<bool>* stored) override;
};
