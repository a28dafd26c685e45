// A plain model of the scoring exports for the differential fuzz target:
// every rule written the obvious way (linear scans of the whole log, no
// index), with the decided mends: a removal takes the exact record when
// there is one, the earliest remaining record of the station counts again, a
// district leaves a band's list only when no counting record on that band
// carries it, and a QSO writes at most ten DUPE lines.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/contest/qso_record.h"
#include "core/engine/host_input.h"

class ScoringModel {
 public:
  using Texts = std::vector<std::string>;

  void Reset(const ResetInput& input);
  int Add(const QsoInput& qso, std::string& errorLines);
  int Remove(const QsoInput& qso);
  int CheckCall(const CallCheckInput& input) const;
  static int IsValidExchange(const std::string& exchange, const std::string& senderPrefix);
  // Worked-before rows of `call`: for each band, time, mode and district or
  // exchange of its last QSO, or nothing.
  std::array<Texts, 6> WorkedBefore(const std::string& call) const;
  void Summary();

  std::vector<QsoRecord> Records;
  Texts LogBands;
  std::array<Texts, 6> DistrictsByBand;
  std::array<Texts, 6> ContinentsByBand;
  std::string SummaryText;
  int ClaimedScore = 0;

 private:
  std::string ownPrefix_;
  std::string contestant_;
  std::string periodStart_;
  std::string periodEnd_;
};
