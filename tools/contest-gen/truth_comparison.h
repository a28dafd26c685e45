// The cross-check's findings held against a generated contest's truth.
#pragma once

#include <string>
#include <vector>

#include "check/check_types.h"
#include "contest_world.h"

struct KindTally {
  int Expected = 0;  // QSOs the truth gives this verdict
  int Found = 0;     // QSOs the check gave it
  int Agreed = 0;
};

struct TruthComparison {
  KindTally Kinds[kVerdictCount];
  int Qsos = 0;
  int ClocksRight = 0;  // logs whose found offset is within a minute of the one built in
  int Logs = 0;
  std::vector<std::string> Differences;  // the first few, for a failure message
  bool Perfect() const { return ClocksRight == Logs && Differences.empty(); }
};

TruthComparison CompareWithTruth(const GeneratedContest& contest,
                                 const std::vector<LogFindings>& findings);

// Recall and precision per verdict, one row each, and the clocks.
std::string ComparisonTable(const TruthComparison& comparison);
