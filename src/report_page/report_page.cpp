#include "report_page/report_page.h"

#include "report_page/page_file.h"
#include "report_page/page_html.h"

namespace {

// Band colours: the grid's columns and the rate's bars, 160m to 10m.
const char* const kStyle = R"(<style>
body{font:14px/1.4 sans-serif;margin:1.5em auto;max-width:60em;color:#222;padding:0 1em}
h1{font-size:1.5em}h2{font-size:1.2em;border-bottom:1px solid #ccc;margin-top:1.6em}
table{border-collapse:collapse}td,th{padding:2px 8px;text-align:right}
table.sum td,table.sum th{border-bottom:1px solid #ddd}table.sum tfoot td,table.sum tfoot th{font-weight:bold}
table.grid td,table.grid th{padding:0 4px;font-size:12px;border:1px solid #e4e4e4}table.grid td{width:3.2em}
.grids{display:flex;gap:2em;align-items:flex-start;flex-wrap:wrap}
.b0{fill:#8e44ad;background:#8e44ad}.b1{fill:#2471a3;background:#2471a3}.b2{fill:#17a589;background:#17a589}
.b3{fill:#d4ac0d;background:#d4ac0d}.b4{fill:#e67e22;background:#e67e22}.b5{fill:#c0392b;background:#c0392b}
.key span{display:inline-block;width:1em;height:1em;margin:0 .3em 0 1em;vertical-align:middle}
.axis{stroke:#999}svg text{font-size:11px;fill:#555}
pre{font-size:12px;overflow-x:auto;background:#f6f6f6;padding:.5em}summary{cursor:pointer}
.warn{color:#a00;font-weight:bold}.note{color:#555}
.warning{border:2px solid #c0392b;background:#fdecea;padding:.4em 1em}
.best-range{fill:none;stroke:#7d5a00;stroke-width:1.5;stroke-dasharray:5 3}.best-label{fill:#7d5a00}
</style>)";

}  // namespace

std::string ReportPage(const PageFacts& facts) {
  const SummaryTable& summary = facts.Summary;
  std::string title = HtmlEscape(summary.Contestant.empty() ? facts.OwnCall : summary.Contestant);
  title += HtmlEscape(summary.Title.empty() ? "" : " \u2013 " + summary.Title);
  std::string page;
  page.reserve(64 * 1024);
  page += kReportPageStart;
  page += "<title>";
  page += title + "</title>\n";
  page += kStyle;
  page += "\n</head><body>\n<h1>" + title + "</h1>\n<p>Log: " + HtmlEscape(facts.LogName) +
          ", scored by Stats.dll. Times are UTC.</p>\n";
  if (!facts.Warnings.empty()) {
    page += "<section class=\"warning\" id=\"warnings\">\n";
    for (const std::string& warning : facts.Warnings)
      page += "<p class=\"warn\">" + HtmlEscape(warning) + ".</p>\n";
    page += "</section>\n";
  }
  AppendSummarySection(page, summary);
  AppendGridSection(page, facts);
  AppendRateSection(page, facts);
  AppendProblemSection(page, facts.Problems);
  AppendLeftOutSection(page, facts.LeftOut);
  page += "</body></html>\n";
  return page;
}
