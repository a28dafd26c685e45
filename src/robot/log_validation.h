// The robot's look at a log the moment it arrives: refused when it cannot be
// a log of this contest (nothing is stored then), otherwise taken with every
// warning the entrant can still fix before the deadline. The one place that
// decides this, so that it can follow the sponsor's check as that grows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "check/sponsor_table.h"
#include "logs/country_file.h"
#include "robot/contest_settings.h"

struct LogVerdict {
  bool Refused = false;
  std::vector<std::string> Reasons;   // why it was refused
  std::vector<std::string> Warnings;  // each one line, at most a few hundred bytes
  std::string Format;                 // "Cabrillo" or "ADIF"
  std::string Call;
  std::string Email;         // the header's EMAIL:, if any
  std::string Category;      // the sponsor's code: "SO-ALL-LP"
  std::string CategoryText;  // its title: "Single operator, all bands, low power"
  int64_t LinesRead = 0;     // QSO lines (records) read
  int64_t LinesUnreadable = 0;
  std::optional<int64_t> ClaimedScore;   // the header's CLAIMED-SCORE:
  std::optional<int64_t> ComputedScore;  // by the plug-in's rules, in the period
  std::vector<std::string> WorkedCalls;  // distinct, for the missing-logs list
};

// Whether upper-case text may be a callsign: the robot's one test of a call.
bool IsCallText(const std::string& call);

// `table`: the sponsor's, as the check takes it (contest names, categories).
LogVerdict ValidateLog(const std::string& bytes, const RobotSettings& settings,
                       const CountryFile& countries, const SponsorTable& table);
