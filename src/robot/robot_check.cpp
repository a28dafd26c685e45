#include "robot_check.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>

#include "check_entrant.h"
#include "contest_check.h"
#include "file_writer.h"
#include "core/base/text.h"
#include "log_file.h"
#include "log_values.h"
#include "native_pass.h"
#include "page_html.h"
#include "robot_pages.h"
#include "robot_text.h"
#include "storage_error.h"

namespace {

const char kResultsCsv[] = "results.csv";
const char kFindingsCsv[] = "findings.csv";
const char kRejectedText[] = "rejected.txt";
const char kIndexPage[] = "index.html";

// Through the tools' one writer; the folder is new, so nothing is replaced.
void WriteResult(const std::string& folder, const std::string& name, const std::string& text) {
  std::string why;
  if (!WriteFileWhole(folder + "/" + name, text, why))
    throw StorageError("cannot write " + folder + "/" + name + ": " + why);
}

std::vector<QsoInput> Picked(const Entrant& entrant, const std::vector<int>& which) {
  std::vector<QsoInput> qsos;
  for (int q : which)
    qsos.push_back(entrant.Plan.Qsos[q]);
  return qsos;
}

// Both passes of every log, as the check command runs them through Stats.dll:
// the whole log for the claimed score, then the QSOs the cross-check kept.
void ScoreAndCheck(CheckedContest& contest) {
  for (Entrant& entrant : contest.Entrants) {
    NativePass pass = ScoreNatively(entrant.Plan.Reset, entrant.Plan.Qsos);
    for (size_t q = 0; q < pass.Outcome.StoredQso.size(); ++q) {
      if (pass.Outcome.StoredQso[q])
        entrant.Stored.push_back(static_cast<int>(q));
    }
    entrant.ClaimedSummary = pass.Outcome.Summary;
    contest.Logs.push_back(CheckLogOf(entrant));
  }
  CheckOptions options;
  options.ToleranceSeconds = int64_t{60} * contest.Minutes;
  contest.Findings = CheckContest(contest.Logs, options);
  for (size_t e = 0; e < contest.Entrants.size(); ++e) {
    Entrant& entrant = contest.Entrants[e];
    std::vector<int> kept = KeptByCheck(entrant, contest.Findings[e]);
    entrant.CheckedQsos = static_cast<int>(kept.size());
    entrant.CheckedSummary =
        ScoreNatively(entrant.Plan.Reset, Picked(entrant, kept)).Outcome.Summary;
  }
}

std::string IndexPage(const CheckedContest& contest, const std::vector<Rejection>& rejected,
                      int64_t at) {
  struct Line {
    long long Checked, Claimed;
    const Entrant* Of;
  };
  std::vector<Line> lines;
  for (const Entrant& entrant : contest.Entrants) {
    lines.push_back(
        {ScoreOfSummary(entrant.CheckedSummary), ScoreOfSummary(entrant.ClaimedSummary), &entrant});
  }
  std::stable_sort(lines.begin(), lines.end(),
                   [](const Line& a, const Line& b) { return a.Checked > b.Checked; });
  std::string iso = IsoUtc(at);
  std::string body = "<p>The check of the " + std::to_string(lines.size()) +
                     (lines.size() == 1 ? " log" : " logs") + " that counted on " +
                     iso.substr(0, 10) + " " + iso.substr(11, 5) +
                     " UTC. Files: <a href=\"/results/results.csv\">results.csv</a>, "
                     "<a href=\"/results/findings.csv\">findings.csv</a>, "
                     "<a href=\"/results/rejected.txt\">rejected.txt</a>.</p>\n"
                     "<table id=\"ranking\">\n<thead><tr><th>#</th><th>Call</th><th>QSOs</th>"
                     "<th>Claimed</th><th>Checked</th><th>Report</th></tr></thead>\n<tbody>\n";
  int place = 0;
  for (const Line& line : lines) {
    const Entrant& e = *line.Of;
    body += "<tr><td class=\"n\">" + std::to_string(++place) + "</td><td>" +
            HtmlEscape(e.Plan.Reset.OwnCall) + "</td><td class=\"n\">" +
            std::to_string(e.CheckedQsos) + "</td><td class=\"n\">" + std::to_string(line.Claimed) +
            "</td><td class=\"n\">" + std::to_string(line.Checked) +
            "</td><td><a href=\"/results/" + HtmlEscape(e.LetterName) + "\">" +
            HtmlEscape(e.LetterName) + "</a></td></tr>\n";
  }
  body += "</tbody>\n</table>\n<h2>Not checked</h2>\n";
  if (rejected.empty())
    body += "<p>None.</p>\n";
  for (const Rejection& r : rejected)
    body += "<p>" + HtmlEscape(r.File) + ": " + HtmlEscape(r.Reason) + "</p>\n";
  return RobotPage("Results", body);
}

}  // namespace

bool IsResultFileName(const std::string& name) {
  return !name.empty() && name.size() <= 120 && name[0] != '.' &&
         name.find_first_not_of(
             "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_-.") ==
             std::string::npos;
}

RobotCheckRun RunRobotCheck(const std::vector<ReceivedLog>& logs, const CountryFile& countries,
                            const std::string& folder, int64_t at) {
  RobotCheckRun run;
  CheckedContest contest;
  std::map<std::string, std::string> fileOfName = {
      {kResultsCsv, "-"}, {kFindingsCsv, "-"}, {kRejectedText, "-"}, {kIndexPage, "-"}};
  for (const ReceivedLog& log : logs) {
    try {
      Entrant entrant = MakeEntrant(log.Name, ReadLogText(log.Bytes, log.Name), countries);
      if (!IsResultFileName(entrant.LetterName) ||
          !fileOfName.emplace(ToLower(entrant.LetterName), log.Name).second) {
        run.Rejected.push_back({log.Name, "its report " + entrant.LetterName + " is taken"});
        continue;
      }
      contest.Entrants.push_back(std::move(entrant));
    } catch (const InputError& error) {
      run.Rejected.push_back({log.Name, error.what()});
    }
  }
  ScoreAndCheck(contest);
  if (mkdir(folder.c_str(), 0755) != 0)
    throw StorageError("cannot make " + folder + ": " + strerror(errno));
  auto write = [&](const std::string& name, const std::string& text) {
    WriteResult(folder, name, text);
    run.Files.push_back(name);
  };
  write(kResultsCsv, ResultsCsv(contest));
  write(kFindingsCsv, FindingsCsv(contest));
  write(kRejectedText, RejectedText(run.Rejected));
  for (size_t e = 0; e < contest.Entrants.size(); ++e)
    write(contest.Entrants[e].LetterName, EntrantLetter(contest, static_cast<int>(e)));
  write(kIndexPage, IndexPage(contest, run.Rejected, at));
  run.Checked = static_cast<int>(contest.Entrants.size());
  return run;
}
