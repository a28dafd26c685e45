#include "check/entrant_page.h"

#include "check/entrant_facts.h"
#include "check/entrant_letter.h"
#include "native_plugin/native_pass.h"
#include "native_plugin/page_facts_of_run.h"
#include "report_page/page_html.h"
#include "report_page/report_page.h"

namespace {

// The log's report page facts: the plug-in's answers to each QSO come from its
// own code run natively (the same verdicts, without err.txt per QSO), the
// summary from Stats.dll's claimed pass.
PageFacts FactsOfLog(const Entrant& e) {
  NativePass pass = ScoreNatively(e.Plan.Reset, e.Plan.Qsos);
  ScoreOutcome& outcome = pass.Outcome;
  outcome.LogName = e.File;
  outcome.QsosRead = e.QsosRead;
  outcome.RecordsSkipped = static_cast<size_t>(e.UnreadableLines);
  outcome.OutsidePeriod = e.Plan.OutsidePeriod;
  outcome.Where = e.Plan.Where;
  if (!e.ClaimedSummary.empty())
    outcome.Summary = e.ClaimedSummary;
  PageFacts facts = PageFactsOfRun(outcome);
  facts.OwnCall = e.Call;
  return facts;
}

std::string Cell(const std::string& text, const char* cls = nullptr) {
  return std::string("<td") + (cls ? std::string(" class=\"") + cls + "\"" : "") + ">" +
         HtmlEscape(text) + "</td>";
}

std::string CheckSection(const CheckedContest& c, int e) {
  const Entrant& entrant = c.Entrants[e];
  std::string text = EntrantLetter(c, e);
  // The report's head: period, category, scores and counts, as in the text.
  std::string head = text.substr(0, text.find("\nFlagged QSOs:"));
  std::string section = "<section id=\"check\"><h2>Log check</h2>\n<pre>" + HtmlEscape(head) +
                        "</pre>\n<h3>Flagged QSOs</h3>\n";
  std::vector<FlaggedQso> flagged = FlaggedQsos(c, e);
  if (flagged.empty()) {
    section += "<p>None.</p>\n";
  } else {
    section +=
        "<table class=\"sum\" id=\"flagged\"><thead><tr><th class=\"l\">Why</th><th "
        "class=\"l\">This log's line</th><th class=\"l\">Evidence</th></tr></thead>\n<tbody>\n";
    for (const FlaggedQso& f : flagged) {
      section +=
          "<tr>" + Cell(f.Why, "l") + "<td class=\"l\"><code>" + HtmlEscape(f.Line) +
          "</code></td><td class=\"l\">" + HtmlEscape(f.EvidenceWhere) +
          (f.EvidenceLine.empty() ? "" : "<br><code>" + HtmlEscape(f.EvidenceLine) + "</code>") +
          "</td></tr>\n";
    }
    section += "</tbody></table>\n";
  }
  section += "<h3>Other logs about " + HtmlEscape(entrant.Call) +
             ": who miscopied its call or exchange, and what it could not verify</h3>\n";
  std::vector<OthersQso> about = OthersAbout(c, e);
  if (about.empty()) {
    section += "<p>None.</p>\n";
  } else {
    section +=
        "<table class=\"sum\" id=\"about\"><thead><tr><th class=\"l\">Where</th><th "
        "class=\"l\">What</th><th class=\"l\">Their line</th></tr></thead>\n<tbody>\n";
    for (const OthersQso& o : about) {
      section += "<tr>" + Cell(o.Where, "l") + Cell(o.Why, "l") + "<td class=\"l\"><code>" +
                 HtmlEscape(o.Line) + "</code></td></tr>\n";
    }
    section += "</tbody></table>\n";
  }
  section += "<p class=\"note\">" + HtmlEscape(RuleText(c.Minutes)) + "</p>\n</section>\n";
  return section;
}

}  // namespace

std::string EntrantPage(const CheckedContest& c, int e) {
  std::string page = ReportPage(FactsOfLog(c.Entrants[e]));
  // The check's section goes last in the page's body, its style in the head.
  size_t head = page.find("</head>");
  page.insert(head,
              "<style>td.l,th.l{text-align:left}code{font-size:12px;white-space:pre}</style>\n");
  size_t end = page.rfind("</body>");
  return page.substr(0, end) + CheckSection(c, e) + page.substr(end);
}
