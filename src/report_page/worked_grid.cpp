#include "worked_grid.h"

#include "core/contest/districts.h"
#include "core/contest/rules.h"

namespace {

GridRow& RowNamed(std::vector<GridRow>& rows, const std::string& name) {
  for (GridRow& row : rows) {
    if (row.Name == name)
      return row;
  }
  rows.push_back({name, {}});
  return rows.back();
}

}  // namespace

WorkedGrid BuildWorkedGrid(const std::vector<PageQso>& qsos) {
  WorkedGrid grid;
  for (const char* code : DistrictCodes)
    grid.Districts.push_back({code, {}});
  for (const char* continent : Continents)
    grid.Continents.push_back({continent, {}});
  for (const PageQso& qso : qsos) {
    int band = BandIndexOf(qso.Band);
    if (!qso.Counts || band == kNoBand)
      continue;
    int district = DistrictIndexOf(qso.District);
    if (district >= 0)
      grid.Districts[district].Worked[band] = true;
    RowNamed(grid.Continents, qso.Continent).Worked[band] = true;
  }
  return grid;
}
