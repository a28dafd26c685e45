// The districts (and a Japanese operator's continents) worked on each band.
#include <string>

#include "contest/rules.h"
#include "page_html.h"
#include "worked_grid.h"

namespace {

template <size_t Rows>
void AppendGrid(std::string& page, const char* id, const char* const* names,
                const std::array<std::array<bool, kBandCount>, Rows>& worked) {
  page += std::string("<table class=\"grid\" id=\"") + id + "\"><thead><tr><th></th>";
  for (int b = 0; b < kBandCount; ++b)
    page += std::string("<th>") + BandNames[b] + "</th>";
  page += "</tr></thead>\n<tbody>\n";
  std::array<int, kBandCount> counts{};
  for (size_t r = 0; r < Rows; ++r) {
    page += std::string("<tr><th>") + names[r] + "</th>";
    for (int b = 0; b < kBandCount; ++b) {
      counts[b] += worked[r][b] ? 1 : 0;
      page += worked[r][b] ? "<td class=\"b" + std::to_string(b) + "\"></td>" : "<td></td>";
    }
    page += "</tr>\n";
  }
  page += "</tbody><tfoot><tr><th>worked</th>";
  for (int count : counts)
    page += "<td>" + std::to_string(count) + "</td>";
  page += "</tr></tfoot></table>\n";
}

// The grid is drawn from the QSOs; the plug-in's own count is the summary's.
void AppendMismatches(std::string& page, const SummaryTable& summary, const WorkedGrid& grid) {
  for (const SummaryRow& row : summary.Bands) {
    int b = BandIndexOf(row.Band);
    if (b == kNoBand)
      continue;
    long long shown = 0;
    for (const auto& district : grid.Districts)
      shown += district[b] ? 1 : 0;
    if (shown != row.Districts) {
      page += "<p class=\"warn\">" + HtmlEscape(row.Band) + ": the grid shows " +
              std::to_string(shown) + " districts, the plug-in counted " +
              std::to_string(row.Districts) + ".</p>\n";
    }
  }
}

}  // namespace

void AppendGridSection(std::string& page, const ReportFacts& facts) {
  WorkedGrid grid = BuildWorkedGrid(facts.Qsos);
  page += "<section id=\"grid\"><h2>Districts";
  page += facts.Summary.Japanese ? " and continents" : "";
  page +=
      " by band</h2>\n<p class=\"note\">From the QSOs the plug-in stored and err.txt calls "
      "neither a dupe nor worth 0 points.</p>\n";
  AppendMismatches(page, facts.Summary, grid);
  page += "<div class=\"grids\">\n";
  AppendGrid(page, "district-grid", DistrictCodes, grid.Districts);
  if (facts.Summary.Japanese)
    AppendGrid(page, "continent-grid", Continents, grid.Continents);
  page += "</div>\n</section>\n";
}
