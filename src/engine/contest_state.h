// Everything a scoring pass keeps in memory, and the one lock that guards it.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_set>

#include "contest/qso_log.h"

struct ContestState {
  QsoStore QsoLog;
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
  int32_t ReportFlag = 0;
  int32_t MasterSetting = 0;
  int32_t MultiplierSetting = 0;

  std::string SummaryText;
  int32_t ClaimedScore = 0;
};

// The one contest state of the loaded plug-in; read and change it only while
// holding StateLock().
ContestState& CurrentContest();

// The host's thread (every export) and the info thread (live windows) share
// the state above, the Cabrillo header and the live windows' globals. This
// lock guards all of it. Rules: hold it only for short stretches of plain
// computation; never while showing a dialog or message box, calling the host
// through COM, sending a message to the other thread, or waiting for it.
std::mutex& StateLock();
using StateGuard = std::lock_guard<std::mutex>;
