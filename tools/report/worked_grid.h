// Which districts and continents were worked on which band, from the QSOs
// that count.
#pragma once

#include <array>
#include <vector>

#include "contest/bands.h"
#include "contest/districts.h"
#include "report_facts.h"

struct WorkedGrid {
  std::array<std::array<bool, kBandCount>, kDistrictCount> Districts{};  // [district][band]
  std::array<std::array<bool, kBandCount>, 6> Continents{};              // EU, NA, SA, AF, AS, OC
};

WorkedGrid BuildWorkedGrid(const std::vector<ReportQso>& qsos);
