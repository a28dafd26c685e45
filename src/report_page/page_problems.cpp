// err.txt's lines grouped by their message, the notes on stations outside
// Japan apart from the faults.
#include <string>
#include <vector>

#include "report_page/page_html.h"

namespace {

// A 20,000-QSO log can have thousands of lines of one kind; the page shows
// the first ones and leaves the rest to err.txt.
const size_t kLinesShown = 150;

struct KindGroup {
  std::string Kind;
  std::vector<const std::string*> Lines;
};

std::vector<KindGroup> Group(const std::vector<ProblemLine>& problems, bool notes) {
  std::vector<KindGroup> groups;
  for (const ProblemLine& problem : problems) {
    if (problem.Note != notes)
      continue;
    auto group = groups.begin();
    while (group != groups.end() && group->Kind != problem.Kind)
      ++group;
    if (group == groups.end())
      group = groups.insert(groups.end(), KindGroup{problem.Kind, {}});
    group->Lines.push_back(&problem.Line);
  }
  return groups;
}

void AppendGroups(std::string& page, const std::vector<KindGroup>& groups) {
  for (const KindGroup& group : groups) {
    page += "<details><summary><b>" + HtmlEscape(group.Kind) +
            "</b>: " + std::to_string(group.Lines.size()) + "</summary>\n<pre>";
    for (size_t i = 0; i < group.Lines.size() && i < kLinesShown; ++i)
      page += HtmlEscape(*group.Lines[i]) + "\n";
    if (group.Lines.size() > kLinesShown)
      page += "\u2026 and " + std::to_string(group.Lines.size() - kLinesShown) +
              " more lines in err.txt\n";
    page += "</pre></details>\n";
  }
}

}  // namespace

void AppendProblemSection(std::string& page, const std::vector<ProblemLine>& problems) {
  std::vector<KindGroup> faults = Group(problems, false);
  std::vector<KindGroup> notes = Group(problems, true);
  page += "<section id=\"problems\"><h2>Problems in err.txt</h2>\n";
  if (faults.empty())
    page += "<p>None.</p>\n";
  AppendGroups(page, faults);
  if (!notes.empty()) {
    page +=
        "<h3>Not faults</h3>\n<p class=\"note\">The plug-in writes \"Code is not "
        "acceptable\" for every number sent by a station outside Japan; these QSOs count.</p>\n";
    AppendGroups(page, notes);
  }
  page += "<p class=\"note\">err.txt itself is left as the plug-in wrote it.</p>\n</section>\n";
}
