// The plug-in's summary as a table, and what never reached it.
#include <string>

#include "report_page/page_html.h"

namespace {

// Our names for the plug-in's columns, in its order.
const char* const kColumnNames[] = {"QSOs", "Points", "Districts", "Continents"};

void AppendRow(std::string& page, const SummaryRow& row, size_t columns) {
  page += "<tr><th>" + HtmlEscape(row.Band) + "</th>";
  for (size_t c = 0; c < columns; ++c)
    page += "<td>" + std::to_string(ValueIn(row, static_cast<SummaryColumn>(c))) + "</td>";
  page += "</tr>\n";
}

}  // namespace

void AppendSummarySection(std::string& page, const SummaryTable& summary) {
  const size_t columns = summary.Japanese() ? 4 : 3;
  page += "<section id=\"summary\"><h2>Score</h2>\n";
  if (!summary.Score) {
    page += "<p class=\"warn\">The plug-in gave no score.</p>\n</section>\n";
    return;
  }
  page += "<table class=\"sum\" id=\"summary-table\"><thead><tr><th>Band</th>";
  for (size_t c = 0; c < columns; ++c)
    page += std::string("<th>") + kColumnNames[c] + "</th>";
  page += "</tr></thead>\n<tbody>\n";
  for (const SummaryRow& row : summary.Bands)
    AppendRow(page, row, columns);
  page += "</tbody><tfoot>\n";
  if (summary.Total)
    AppendRow(page, *summary.Total, columns);
  page += "<tr id=\"score\"><th>Score</th><td colspan=\"" + std::to_string(columns) + "\">" +
          std::to_string(*summary.Score) + "</td></tr>\n</tfoot></table>\n" +
          "<p class=\"note\">Score = points \u00d7 (districts" +
          (summary.Japanese() ? " + continents" : "") + "), as the plug-in counts them.</p>\n" +
          "</section>\n";
}

void AppendLeftOutSection(std::string& page, const std::vector<LeftOutCount>& leftOut) {
  std::string items;
  for (const LeftOutCount& item : leftOut) {
    if (item.Count > 0)
      items += "<li>" + HtmlEscape(item.What) + ": " + std::to_string(item.Count) + "</li>\n";
  }
  page += "<section id=\"left-out\"><h2>Left out</h2>\n";
  page += items.empty()
              ? "<p>Nothing: every QSO of the log reached the plug-in and was stored.</p>\n"
              : "<ul>\n" + items + "</ul>\n";
  page += "</section>\n";
}
