#include "native_pass.h"

#include "core/engine/acceptance.h"
#include "core/engine/reset.h"
#include "core/engine/settings.h"
#include "core/engine/summary.h"

NativePass ScoreNatively(const ResetInput& reset, const std::vector<QsoInput>& qsos) {
  NativePass pass;
  // The reset's state as the plug-in's: the summary names the period.
  MemorySettings settings;
  ResetPass(pass.State, settings, reset);
  ScoreOutcome& outcome = pass.Outcome;
  outcome.Reset = reset;
  outcome.HandedOver = qsos;
  for (size_t i = 0; i < qsos.size(); ++i) {
    outcome.Where.push_back("QSO " + std::to_string(i + 1));
    std::string lines;
    const bool stored = AcceptQso(pass.State, qsos[i], lines) == 1;
    ++(stored ? outcome.Stored : outcome.Refused);
    outcome.StoredQso.push_back(stored);
    TakeErrorLines(outcome, i, !stored, lines);
  }
  SortOutNotes(outcome);
  BuildSummary(pass.State);
  outcome.Summary = pass.State.SummaryText;
  return pass;
}

std::string NativeScorer::Score(const ResetInput& reset, const std::vector<QsoInput>& qsos,
                                std::vector<bool>* stored) {
  NativePass pass = ScoreNatively(reset, qsos);
  if (stored)
    *stored = pass.Outcome.StoredQso;
  return pass.Outcome.Summary;
}
