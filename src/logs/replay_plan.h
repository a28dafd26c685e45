// What the logging program would hand Stats.dll for a log: the reset of the
// scoring pass and one AddData0 call per QSO, in log order.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/engine/host_input.h"
#include "logs/country_file.h"
#include "logs/log_qso.h"

struct ReplayOptions {
  std::string OwnCall;    // empty: from the log
  std::string OwnPrefix;  // empty: the own call's entity in the country file
  // Only QSOs of these days (UTC, both included) are handed over, as the
  // logging program hands over its statistics period.
  std::optional<CalendarTime> PeriodStart;  // absent: the first QSO's date
  std::optional<CalendarTime> PeriodEnd;    // absent: the last QSO's date
  int CabrilloRequest = 0;                  // non-zero: the pass ends in the plug-in's Cabrillo log
};

struct ReplayPlan {
  ResetInput Reset;
  std::vector<QsoInput> Qsos;
  std::vector<std::string> Where;  // each handed-over QSO's place in the log
  std::vector<size_t> Source;      // each handed-over QSO's index in LogContents::Qsos
  size_t OutsidePeriod = 0;        // QSOs of the log not handed over
  std::vector<std::string> Notes;  // things the user should know, one line each
};

// The call the log names as its own: the header's, else the first QSO's own
// call, upper case; empty when it names none.
std::string LogOwnCall(const LogContents& log);

// Throws InputError when the log has no QSO, no own call can be found, or the
// own call's country is unknown and no prefix was given. `shownName` names
// the log in messages.
ReplayPlan PlanReplay(const LogContents& log, const CountryFile& countries,
                      const ReplayOptions& options, const std::string& shownName);

// The arguments of one QSO: the log's fields, the run's own call, and the
// worked station's prefix and continent from the country file (both empty
// when it has none, as for /MM; `found` tells which).
QsoInput MapQso(const LogQso& qso, const std::string& ownCall, const CountryFile& countries,
                bool& found);
