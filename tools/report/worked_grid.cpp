#include "worked_grid.h"

#include "contest/rules.h"

WorkedGrid BuildWorkedGrid(const std::vector<ReportQso>& qsos) {
  WorkedGrid grid;
  for (const ReportQso& qso : qsos) {
    int band = BandIndexOf(qso.Band);
    if (!qso.Counts || band == kNoBand)
      continue;
    int district = DistrictIndexOf(qso.District);
    if (district >= 0)
      grid.Districts[district][band] = true;
    for (int c = 0; c < 6; ++c) {
      if (qso.Continent == Continents[c])
        grid.Continents[c][band] = true;
    }
  }
  return grid;
}
