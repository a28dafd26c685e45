// What dkz-score prints after a run.
#pragma once

#include <string>
#include <vector>

#include "engine/host_input.h"

struct ScoreOutcome {
  std::string LogName;  // as the user named it
  std::string Format;   // "ADIF" or "Cabrillo"
  size_t QsosRead = 0;
  size_t RecordsSkipped = 0;
  ResetInput Reset;
  std::vector<QsoInput> HandedOver;  // in the order of the AddData0 calls
  std::vector<bool> StoredQso;       // AddData0's answer to each: true for 1
  int Stored = 0;                    // AddData0 returned 1
  int Refused = 0;                   // AddData0 returned 0
  std::string Summary;               // GetResult0's text, CR LF line ends
};

// The run in a few lines, then the summary, with plain line ends.
std::string FormatReport(const ScoreOutcome& outcome);
