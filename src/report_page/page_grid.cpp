// The districts (and a Japanese operator's continents) worked on each band.
#include <string>

#include "report_page/page_html.h"
#include "report_page/worked_grid.h"

namespace {

void AppendGrid(std::string& page, const char* id, const std::vector<GridRow>& rows) {
  page += std::string("<table class=\"grid\" id=\"") + id + "\"><thead><tr><th></th>";
  for (int b = 0; b < kBandCount; ++b)
    page += std::string("<th>") + kDkzRules.Bands[b].Text + "</th>";
  page += "</tr></thead>\n<tbody>\n";
  std::array<int, kBandCount> counts{};
  for (const GridRow& row : rows) {
    page += "<tr><th>" + (row.Name.empty() ? "(none)" : HtmlEscape(row.Name)) + "</th>";
    for (int b = 0; b < kBandCount; ++b) {
      counts[b] += row.Worked[b] ? 1 : 0;
      page += row.Worked[b] ? "<td class=\"b" + std::to_string(b) + "\"></td>" : "<td></td>";
    }
    page += "</tr>\n";
  }
  page += "</tbody><tfoot><tr><th>worked</th>";
  for (int count : counts)
    page += "<td>" + std::to_string(count) + "</td>";
  page += "</tr></tfoot></table>\n";
}

int WorkedOn(const std::vector<GridRow>& rows, int band) {
  int count = 0;
  for (const GridRow& row : rows)
    count += row.Worked[band] ? 1 : 0;
  return count;
}

// The grids are drawn from the QSOs; the plug-in's own counts are the summary's.
void AppendMismatches(std::string& page, const SummaryTable& summary, const WorkedGrid& grid) {
  for (const SummaryRow& row : summary.Bands) {
    int b = kDkzRules.BandIndexOf(row.Band);
    if (b == kNoBand)
      continue;
    const struct {
      const char* What;
      long long Counted;
      int Shown;
    } checks[] = {{"districts", ValueIn(row, kDistrictsColumn), WorkedOn(grid.Districts, b)},
                  {"continents", ValueIn(row, kContinentsColumn),
                   summary.Japanese() ? WorkedOn(grid.Continents, b) : 0}};
    for (const auto& check : checks) {
      if (check.Shown != check.Counted) {
        page += "<p class=\"warn\">" + HtmlEscape(row.Band) + ": the grid shows " +
                std::to_string(check.Shown) + " " + check.What + ", the plug-in counted " +
                std::to_string(check.Counted) + ".</p>\n";
      }
    }
  }
}

}  // namespace

void AppendGridSection(std::string& page, const PageFacts& facts) {
  WorkedGrid grid = BuildWorkedGrid(facts.Qsos);
  page += "<section id=\"grid\"><h2>Districts";
  page += facts.Summary.Japanese() ? " and continents" : "";
  page +=
      " by band</h2>\n<p class=\"note\">From the QSOs the plug-in stored and err.txt calls "
      "neither a dupe nor worth 0 points.</p>\n";
  AppendMismatches(page, facts.Summary, grid);
  page += "<div class=\"grids\">\n";
  AppendGrid(page, "district-grid", grid.Districts);
  if (facts.Summary.Japanese())
    AppendGrid(page, "continent-grid", grid.Continents);
  page += "</div>\n";
  if (facts.Summary.Japanese() && !facts.NoContinentNotes.empty()) {
    page +=
        "<p class=\"note\">\"(none)\": QSOs with a station of no country (a maritime-mobile "
        "call such as /MM) are handed over with an empty continent, which the plug-in counts as "
        "a continent of its own:</p>\n<ul class=\"note\">\n";
    for (const std::string& note : facts.NoContinentNotes)
      page += "<li>" + HtmlEscape(note) + "</li>\n";
    page += "</ul>\n";
  }
  page += "</section>\n";
}
