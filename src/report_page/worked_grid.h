// Which districts and continents were worked on which band, from the QSOs
// that count.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/contest/contest_rules.h"
#include "report_page/page_facts.h"

struct GridRow {
  std::string Name;
  std::array<bool, kBandCount> Worked{};
};

struct WorkedGrid {
  std::vector<GridRow> Districts;  // the 62, in code order
  // EU, NA, SA, AF, AS, OC, then any other text the QSOs carried ("" for a
  // station without a country): the plug-in counts each distinct text.
  std::vector<GridRow> Continents;
};

WorkedGrid BuildWorkedGrid(const std::vector<PageQso>& qsos);
