// QSOs per hour over the contest period, by band, and the best 60 minutes.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/contest/contest_rules.h"
#include "report_page/page_facts.h"

struct HourRate {
  int64_t FirstMinute = 0;                         // the period's start
  std::vector<std::array<int, kBandCount>> Hours;  // QSOs of each band in each hour
  size_t BestCount = 0;                            // QSOs in the busiest 60 minutes
  int64_t BestStartMinute = 0;                     // its first minute
};

// Counts the stored QSOs on the contest bands inside the period.
HourRate BuildHourRate(const PageFacts& facts);
