#include "report_page/worked_grid.h"

#include "core/contest/contest_rules.h"

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
  for (const ContestDistrict& district : kDkzRules.Districts)
    grid.Districts.push_back({district.Code, {}});
  for (const ContestContinent& continent : kDkzRules.Continents)
    grid.Continents.push_back({continent.Text, {}});
  for (const PageQso& qso : qsos) {
    int band = kDkzRules.BandIndexOf(qso.Band);
    if (!qso.Counts || band == kNoBand)
      continue;
    int district = kDkzRules.DistrictIndexOf(qso.District);
    if (district >= 0)
      grid.Districts[district].Worked[band] = true;
    RowNamed(grid.Continents, qso.Continent).Worked[band] = true;
  }
  return grid;
}
