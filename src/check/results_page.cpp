#include "check/results_page.h"

#include <algorithm>
#include <map>

#include "check/entrant_facts.h"
#include "report_page/page_html.h"

namespace {

const char kStyle[] = R"(<style>
body{font:14px/1.4 sans-serif;margin:1.5em auto;max-width:64em;color:#222;padding:0 1em}
h1{font-size:1.5em}h2{font-size:1.25em;border-bottom:1px solid #ccc;margin-top:1.8em}
h3{font-size:1.05em;margin:1.2em 0 .3em}
table{border-collapse:collapse}td,th{padding:2px 8px;text-align:right;border-bottom:1px solid #e4e4e4}
td.l,th.l{text-align:left}nav a{margin-right:1em}.flag{color:#a00}.note{color:#555}
</style>)";

struct Row {
  int Entrant;
  long long Checked;
};

std::string Link(const Entrant& e) {
  return "<a href=\"" + HtmlEscape(e.LetterName) + ".html\">" + HtmlEscape(e.Call) + "</a>";
}

// One ranking table: its entrants as ordered in `order`.
void AppendRanking(std::string& page, const CheckedContest& c, const std::vector<int>& order,
                   bool showCategory) {
  page += "<table><thead><tr><th>#</th><th class=\"l\">Call</th>";
  if (showCategory)
    page += "<th class=\"l\">Category</th>";
  page +=
      "<th>Claimed (header)</th><th>Claimed</th><th>Checked</th><th>QSOs</th><th>Checked "
      "QSOs</th><th>Error rate %</th><th class=\"l\">Note</th></tr></thead>\n<tbody>\n";
  int rank = 0;
  for (int e : order) {
    const Entrant& entrant = c.Entrants[e];
    VerdictCounts n = CountVerdicts(c.Findings[e]);
    page += "<tr><td>" + std::to_string(++rank) + "</td><td class=\"l\">" + Link(entrant) + "</td>";
    if (showCategory)
      page +=
          "<td class=\"l\">" + HtmlEscape(entrant.HasCategory ? entrant.Class.Code : "-") + "</td>";
    page += "<td>" + HtmlEscape(entrant.Header.ClaimedScore) + "</td><td>" +
            std::to_string(ScoreOfSummary(entrant.ClaimedSummary)) + "</td><td>" +
            std::to_string(ScoreOfSummary(entrant.CheckedSummary)) + "</td><td>" +
            std::to_string(entrant.Stored.size()) + "</td><td>" +
            std::to_string(entrant.CheckedQsos) + "</td><td>" + ErrorRate(n) +
            "</td><td class=\"l flag\">" + HtmlEscape(entrant.CategoryFault) + "</td></tr>\n";
  }
  page += "</tbody></table>\n";
}

// Rankings of the ranked entrants grouped by `key`, groups in the order of
// their names (or `first` when given), each under its heading.
template <typename Key>
void AppendGroups(std::string& page, const CheckedContest& c, const std::vector<int>& ranked,
                  Key key, bool showCategory, const std::string& idPrefix) {
  std::vector<std::string> names;
  std::map<std::string, std::vector<int>> groups;
  for (int e : ranked) {
    std::string name = key(c.Entrants[e]);
    if (groups.find(name) == groups.end())
      names.push_back(name);
    groups[name].push_back(e);
  }
  std::sort(names.begin(), names.end());
  int n = 0;
  for (const std::string& name : names) {
    page += "<h3 id=\"" + idPrefix + std::to_string(++n) + "\">" + HtmlEscape(name) + "</h3>\n";
    AppendRanking(page, c, groups[name], showCategory);
  }
  if (names.empty())
    page += "<p class=\"note\">None.</p>\n";
}

std::string CategoryName(const Entrant& e) {
  return e.HasCategory ? e.Class.Code + " \u2013 " + e.Class.Title
                       : "No category of the sponsor's table";
}

}  // namespace

std::string ResultsPage(const CheckedContest& c) {
  std::vector<int> ranked = RankedOrder(c);
  std::vector<int> japan, world;
  for (int e : ranked)
    (c.Entrants[e].Japanese ? japan : world).push_back(e);
  int checklogs = 0, notScored = 0, notChecked = 0;
  for (const Entrant& e : c.Entrants) {
    checklogs += e.Kind == EntrantKind::kChecklog;
    notScored += e.Kind == EntrantKind::kNotScored;
  }
  for (const Receipt& r : c.Received)
    notChecked += r.Status == ReceiptStatus::kRejected || r.Status == ReceiptStatus::kSuperseded;

  std::string page =
      "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
      "<meta name=\"generator\" content=\"dkz-score check\">\n<title>DKZ contest results</title>\n";
  page += kStyle;
  page += "\n</head><body>\n<h1>DKZ contest results</h1>\n<p>Contest period: " +
          HtmlEscape(c.Period.Text()) + ". " + std::to_string(ranked.size()) + " logs ranked, " +
          std::to_string(checklogs) + " checklogs, " + std::to_string(notScored) +
          " logs that scored nothing, " + std::to_string(notChecked) +
          " files not checked. Scores are Stats.dll's; claimed: the whole log, checked: without "
          "its QSOs not in the other log, with a busted call or a busted exchange. The error "
          "rate is those QSOs per 100 QSOs with stations that sent a log. Each call links to "
          "its log-check report.</p>\n";
  page +=
      "<nav><a href=\"#japan\">Japan</a><a href=\"#world\">World</a><a "
      "href=\"#continents\">Continents</a><a href=\"#districts\">Japanese districts</a><a "
      "href=\"#countries\">Countries</a><a href=\"#checklogs\">Checklogs</a><a "
      "href=\"#not-checked\">Not checked</a><a href=\"#soapbox\">Soapbox</a></nav>\n";

  page += "<section><h2 id=\"japan\">Japan, by category</h2>\n";
  AppendGroups(page, c, japan, CategoryName, false, "jp-");
  page += "</section>\n<section><h2 id=\"world\">Outside Japan, by category</h2>\n";
  AppendGroups(page, c, world, CategoryName, false, "w-");
  page += "</section>\n<section><h2 id=\"continents\">By continent</h2>\n";
  AppendGroups(
      page, c, ranked,
      [](const Entrant& e) { return e.Country.Continent.empty() ? "?" : e.Country.Continent; },
      true, "c-");
  page += "</section>\n<section><h2 id=\"districts\">Japan, by district</h2>\n";
  AppendGroups(
      page, c, japan,
      [](const Entrant& e) { return e.District.empty() ? "no district sent" : e.District; }, true,
      "d-");
  page += "</section>\n<section><h2 id=\"countries\">By country</h2>\n";
  AppendGroups(
      page, c, ranked, [](const Entrant& e) { return e.Country.Name; }, true, "n-");

  page +=
      "</section>\n<section><h2 id=\"checklogs\">Checklogs and logs that scored nothing</h2>\n"
      "<p class=\"note\">Evidence for the others' QSOs, not ranked.</p>\n<ul>\n";
  for (const Entrant& e : c.Entrants) {
    if (e.Kind == EntrantKind::kChecklog)
      page += "<li>" + Link(e) + ": checklog</li>\n";
    else if (e.Kind == EntrantKind::kNotScored)
      page += "<li>" + Link(e) + ": " + HtmlEscape(e.NotScoredWhy) + "</li>\n";
  }
  page += "</ul>\n</section>\n<section><h2 id=\"not-checked\">Files not checked</h2>\n<ul>\n";
  for (const Receipt& r : c.Received) {
    if (r.Status == ReceiptStatus::kRejected || r.Status == ReceiptStatus::kSuperseded)
      page += "<li>" + HtmlEscape(r.File) + ": " + HtmlEscape(r.Reason) + "</li>\n";
  }
  page += "</ul>\n</section>\n<section><h2 id=\"soapbox\">Soapbox</h2>\n";
  for (int e : ranked) {
    const Entrant& entrant = c.Entrants[e];
    if (entrant.Header.Soapbox.empty())
      continue;
    page += "<h3>" + HtmlEscape(entrant.Call) + "</h3>\n";
    for (const std::string& line : entrant.Header.Soapbox)
      page += "<p>" + HtmlEscape(line) + "</p>\n";
  }
  page += "</section>\n</body></html>\n";
  return page;
}
