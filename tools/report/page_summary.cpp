// The plug-in's summary as a table, and what never reached it.
#include <string>

#include "page_html.h"

namespace {

void AppendRow(std::string& page, const SummaryRow& row, bool japanese) {
  page += "<tr><th>" + HtmlEscape(row.Band) + "</th><td>" + std::to_string(row.Qsos) + "</td><td>" +
          std::to_string(row.Points) + "</td><td>" + std::to_string(row.Districts);
  if (japanese)
    page += "</td><td>" + std::to_string(row.Continents);
  page += "</td></tr>\n";
}

}  // namespace

void AppendSummarySection(std::string& page, const SummaryTable& summary) {
  page +=
      "<section id=\"summary\"><h2>Score</h2>\n<table class=\"sum\" id=\"summary-table\">"
      "<thead><tr><th>Band</th><th>QSOs</th><th>Points</th><th>Districts</th>";
  if (summary.Japanese)
    page += "<th>Continents</th>";
  page += "</tr></thead>\n<tbody>\n";
  for (const SummaryRow& row : summary.Bands)
    AppendRow(page, row, summary.Japanese);
  page += "</tbody><tfoot>\n";
  AppendRow(page, summary.Total, summary.Japanese);
  page += "<tr id=\"score\"><th>Score</th><td colspan=\"" +
          std::to_string(summary.Japanese ? 4 : 3) + "\">" + std::to_string(summary.Score) +
          "</td></tr>\n</tfoot></table>\n<p class=\"note\">Score = points \u00d7 (districts" +
          (summary.Japanese ? " + continents" : "") + "), as the plug-in counts them.</p>\n" +
          "</section>\n";
}

void AppendLeftOutSection(std::string& page, const std::vector<LeftOutCount>& leftOut) {
  page += "<section id=\"left-out\"><h2>Left out</h2>\n<ul>\n";
  for (const LeftOutCount& item : leftOut)
    page += "<li>" + HtmlEscape(item.What) + ": " + std::to_string(item.Count) + "</li>\n";
  page += "</ul>\n</section>\n";
}
