// Everything a scoring pass keeps in memory.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/contest/contest_rules.h"
#include "core/contest/qso_log.h"
#include "core/engine/state_lock.h"

// One row of the summary's table: a band's, or the total.
struct ScoreRow {
  std::string Label;  // the log's band text, or "Total"
  long long Qsos = 0;
  long long Points = 0;
  long long Districts = 0;
  long long Continents = 0;  // 0 unless the operator's continents multiply
};

struct ScoreTally {
  std::vector<ScoreRow> Bands;  // in the summary's order
  ScoreRow Total;
  bool ContinentsMultiply = false;
};

struct ContestState {
  // What the pass scores by: the plug-in's contest, or in a test another one.
  const ContestRules* Rules = &kDkzRules;
  QsoLog Log;
  TextList LogBands;  // band texts in order of first appearance; the summary sorts it
  std::unordered_set<std::string> LogBandSet;  // the same texts, for a quick lookup
  PerBandLists WorkedBeforeGrid;
  PerBandLists DistrictsByBand;
  PerBandLists ContinentsByBand;

  std::string OwnPrefix;
  std::string Contestant;
  std::string PeriodStartText;
  std::string PeriodEndText;
  std::string ContestYear;
  int32_t CabrilloRequest = 0;  // non-zero: the host asks for the Cabrillo log of this pass
  int32_t MasterSetting = 0;
  int32_t MultiplierSetting = 0;

  std::string SummaryText;
  ScoreTally Tally;  // the numbers of SummaryText
  int32_t ClaimedScore = 0;
};

// The one contest state of the loaded plug-in, reachable only under the lock.
ContestState& TheContest(const LockHeld& held);

// Runs `body(state)` under the lock with the one contest state; returns its value.
template <typename Body>
auto WithState(Body&& body) {
  return WithLock([&](const LockHeld& held) { return body(TheContest(held)); });
}
