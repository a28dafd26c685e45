// Score posts as contest loggers send them, for the live board's tests.
#pragma once

#include <cstdint>
#include <string>

#include "robot/contest_settings.h"

struct SamplePost {
  std::string Call = "JA1ABC";
  int64_t Score = 133892;
  std::string Contest = "DKZ-CW";
  std::string Power = "HIGH";
  std::string Bands = "ALL";
  std::string District = "AT";
};

// A dynamicresults document with a per-band breakdown that adds up to
// 312 QSOs, 716 points and 187 multipliers.
std::string ScorePostXml(const SamplePost& post);
std::string ScorePostXml(const std::string& call, int64_t score);

// A contest period of 2026-06-13 and 14.
RobotSettings ContestDays();
// UTC seconds of 2026-06-13 at `hour`:`minute` (an hour may be out of 0..23).
int64_t ContestTime(int hour, int minute = 0);
