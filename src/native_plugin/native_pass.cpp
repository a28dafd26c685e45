#include "native_plugin/native_pass.h"

#include <functional>
#include <utility>

#include "core/engine/acceptance.h"
#include "core/engine/reset.h"
#include "core/engine/settings.h"
#include "core/engine/summary.h"

namespace {

// The plug-in's pass: the reset, each QSO (`took` is told whether it was
// stored and the err.txt lines it made), then the summary.
void RunPass(ContestState& state, const ResetInput& reset, const std::vector<QsoInput>& qsos,
             const std::function<void(size_t qso, bool stored, const std::string& lines)>& took) {
  // The reset's state as the plug-in's: the summary names the period.
  MemorySettings settings;
  ResetPass(state, settings, reset);
  for (size_t i = 0; i < qsos.size(); ++i) {
    std::string lines;
    const bool stored = AcceptQso(state, qsos[i], lines) == 1;
    took(i, stored, lines);
  }
  BuildSummary(state);
}

}  // namespace

NativePass ScoreNatively(const ResetInput& reset, const std::vector<QsoInput>& qsos) {
  NativePass pass;
  ScoreOutcome& outcome = pass.Outcome;
  outcome.Reset = reset;
  outcome.HandedOver = qsos;
  RunPass(pass.State, reset, qsos, [&outcome](size_t i, bool stored, const std::string& lines) {
    outcome.Where.push_back("QSO " + std::to_string(i + 1));
    ++(stored ? outcome.Stored : outcome.Refused);
    outcome.StoredQso.push_back(stored);
    TakeErrorLines(outcome, i, !stored, lines);
  });
  SortOutNotes(outcome);
  outcome.Summary = pass.State.SummaryText;
  return pass;
}

std::string ScoreKeepingRefusals(const ResetInput& reset, const std::vector<QsoInput>& qsos,
                                 std::vector<bool>& stored, std::vector<ErrorProblem>& refusals) {
  ContestState state;
  ScoreOutcome refused;
  stored.assign(qsos.size(), false);
  RunPass(state, reset, qsos, [&](size_t i, bool kept, const std::string& lines) {
    stored[i] = kept;
    if (!kept)
      TakeErrorLines(refused, i, true, lines);
  });
  refusals = std::move(refused.Problems);
  return state.SummaryText;
}

// Only what the check asks for: a log that repeats one QSO thousands of times
// makes an err.txt line for each earlier one, which nobody reads here.
std::string NativeScorer::Score(const ResetInput& reset, const std::vector<QsoInput>& qsos,
                                std::vector<bool>* stored) {
  ContestState state;
  if (stored)
    stored->assign(qsos.size(), false);
  RunPass(state, reset, qsos, [stored](size_t i, bool kept, const std::string&) {
    if (stored)
      (*stored)[i] = kept;
  });
  return state.SummaryText;
}
