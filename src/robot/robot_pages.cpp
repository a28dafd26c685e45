#include "robot/robot_pages.h"

#include <algorithm>

#include "report_page/page_html.h"
#include "robot/robot_text.h"

const char* const kRobotStyleSheet =
    R"(body { font: 15px/1.45 system-ui, sans-serif; margin: 0; color: #1d2330; }
header { background: #1d3557; color: #fff; padding: .6em 1.2em; }
header a { color: #fff; margin-right: 1.2em; text-decoration: none; }
main { padding: 1em 1.2em; max-width: 60em; }
table { border-collapse: collapse; margin: .6em 0; }
th, td { border-bottom: 1px solid #d6dbe4; padding: .25em .7em; text-align: left; vertical-align: top; }
th { background: #eef1f6; }
td.n { text-align: right; font-variant-numeric: tabular-nums; }
.late, .held { color: #a4161a; font-weight: bold; }
.warn li { color: #7a4b00; }
.refused { color: #a4161a; }
form p { margin: .7em 0; }
code { font-size: 90%; word-break: break-all; }
header a { display: inline-block; }
nav.board a { margin-right: 1em; white-space: nowrap; }
table.board { width: 100%; max-width: 42em; }
table.board td.call { overflow-wrap: anywhere; }
table.board th.n { text-align: right; }
tr.stale td { color: #6b7280; }
p.claimed { font-weight: bold; }
p.leader { display: flex; align-items: center; gap: .6em; margin: .3em 0; }
svg.line { flex: none; background: #eef1f6; }
svg.line polyline { fill: none; stroke: #1d3557; stroke-width: 1.5; }
svg.line circle { fill: #a4161a; }
@media (max-width: 30em) {
  main { padding: .6em; }
  table.board th, table.board td { padding: .2em .3em; }
}
)";

namespace {

const size_t kMissingShown = 500;

std::string E(const std::string& text) {
  return HtmlEscape(text);
}

std::string Row(const std::vector<std::string>& cells) {
  std::string row = "<tr>";
  for (const std::string& cell : cells)
    row += cell.compare(0, 3, "<td") == 0 ? cell : "<td>" + cell + "</td>";
  return row + "</tr>\n";
}

std::string Fact(const std::string& name, const std::string& valueHtml) {
  return "<tr><th>" + name + "</th><td>" + valueHtml + "</td></tr>\n";
}

std::string Score(const std::optional<int64_t>& score) {
  return score ? std::to_string(*score) : "-";
}

std::string When(int64_t utc) {
  std::string iso = IsoUtc(utc);
  return iso.substr(0, 10) + " " + iso.substr(11, 8) + " UTC";
}

std::string List(const std::vector<std::string>& items, const char* cssClass) {
  if (items.empty())
    return "<p>None.</p>\n";
  std::string list = std::string("<ul class=\"") + cssClass + "\">\n";
  for (const std::string& item : items)
    list += "<li>" + E(item) + "</li>\n";
  return list + "</ul>\n";
}

std::string CallLink(const std::string& call) {
  return "<a href=\"/calls/" + E(call) + "\">" + E(call) + "</a>";
}

}  // namespace

std::string RobotPage(const std::string& title, const std::string& body, const std::string& head) {
  return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n" +
         head + "<title>" + E(title) +
         " - DKZ log robot</title>\n"
         "<link rel=\"stylesheet\" href=\"/style.css\">\n</head>\n<body>\n"
         "<header><a href=\"/\">Send a log</a><a href=\"/received\">Logs received</a>"
         "<a href=\"/results/\">Results</a><a href=\"/live\">Live "
         "scores</a></header>\n<main>\n<h1>" +
         E(title) + "</h1>\n" + body + "</main>\n</body>\n</html>\n";
}

std::string UploadPage(const RobotSettings& settings) {
  std::string body =
      "<p>Send your log of the DKZ contest as Cabrillo (or ADIF). It is checked at once: "
      "you get a receipt with everything found, and can send a corrected log until the "
      "deadline. The last log you send counts. The receipt of your first log gives a "
      "resubmission key: a corrected log replaces it when sent with that key or from the same "
      "e-mail address; otherwise it is held for the sponsor.</p>\n<table>\n" +
      Fact("Contest period", E(PeriodText(settings))) +
      Fact("Deadline", E(DeadlineText(settings))) +
      Fact("Largest file", std::to_string(settings.MaxLogBytes / 1024) + " KB") +
      "</table>\n"
      "<form method=\"post\" action=\"/upload\" enctype=\"multipart/form-data\">\n"
      "<p><label for=\"log\">Log file</label><br><input type=\"file\" id=\"log\" name=\"log\" "
      "required></p>\n"
      "<p><label for=\"email\">E-mail (for questions about your log)</label><br>"
      "<input type=\"email\" id=\"email\" name=\"email\" maxlength=\"200\" size=\"40\"></p>\n"
      "<p><label for=\"key\">Resubmission key (from the receipt of your first log, to "
      "replace it)</label><br><input type=\"text\" id=\"key\" name=\"key\" maxlength=\"80\" "
      "size=\"40\" autocomplete=\"off\"></p>\n"
      "<p><button type=\"submit\" id=\"send\">Send the log</button></p>\n</form>\n";
  return RobotPage("Send a log", body);
}

std::string ReceiptPage(const SubmissionRow& row, const RobotSettings& settings,
                        const std::string& key) {
  std::string body;
  if (key.empty()) {
    body += "<p id=\"received\">This log was received and stored.</p>\n";
  } else {
    body +=
        "<p id=\"received\">Your log was received and stored. Keep this receipt and the "
        "resubmission key of " +
        E(row.Call) + ": <code id=\"resubmission-key\">" + E(key) +
        "</code></p>\n<p>Send the key with a corrected log. A later log of " + E(row.Call) +
        " without it counts only when it comes from the e-mail address of the log that "
        "counts; otherwise it is held for the sponsor. This page shows the key only to the "
        "browser that sent the log, for 15 minutes.</p>\n";
  }
  if (row.Held) {
    body += "<p class=\"held\" id=\"held\">Held for the sponsor: " + E(row.HeldWhy) +
            ". It does not count unless the sponsor accepts it.</p>\n";
  } else if (row.Accepted != 0) {
    body += "<p id=\"held\">It was held for the sponsor (" + E(row.HeldWhy) +
            "), and the sponsor accepted it on " + E(When(row.Accepted)) + ".</p>\n";
  }
  if (row.Late)
    body += "<p class=\"late\">Received after the deadline: kept and marked late.</p>\n";
  if (row.SupersededBy != 0) {
    body += "<p>A later log of " + E(row.Call) + " counts instead: <a href=\"/receipts/" +
            std::to_string(row.SupersededBy) + "\">receipt " + std::to_string(row.SupersededBy) +
            "</a>.</p>\n";
  }
  body += "<table id=\"receipt\">\n" +
          Fact("Log id", "<span id=\"log-id\">" + std::to_string(row.Id) + "</span>") +
          Fact("Call", CallLink(row.Call)) + Fact("Received", E(When(row.Received))) +
          Fact("Deadline", E(DeadlineText(settings)) + (row.Late ? " (late)" : "")) +
          Fact("File", E(row.FileName) + " (" + std::to_string(row.Size) + " bytes, " +
                           E(row.Format) + ")") +
          Fact("SHA-256", "<code id=\"sha256\">" + E(row.Sha256) + "</code>") +
          Fact("QSO lines read", std::to_string(row.LinesRead)) +
          Fact("Lines not readable", std::to_string(row.LinesUnreadable)) +
          Fact("Category", row.CategoryText.empty()
                               ? "not given"
                               : E(row.CategoryText) + " (" + E(row.Category) + ")") +
          Fact("Claimed score (header)", Score(row.ClaimedScore)) +
          Fact("Score by the contest's rules", Score(row.ComputedScore)) + "</table>\n";
  body += "<h2>Warnings</h2>\n" + List(row.Warnings, "warn");
  body +=
      "<p><a href=\"/calls/" + E(row.Call) + "\">Every log sent for " + E(row.Call) + "</a></p>\n";
  return RobotPage("Receipt " + std::to_string(row.Id), body);
}

std::string RefusalPage(const LogVerdict& verdict) {
  std::string body =
      "<p class=\"refused\">This file was not taken, and nothing of it was kept:</p>\n" +
      List(verdict.Reasons, "refused");
  if (!verdict.Warnings.empty())
    body += "<h2>Also found</h2>\n" + List(verdict.Warnings, "warn");
  body += "<p><a href=\"/\">Send another file</a></p>\n";
  return RobotPage("Log refused", body);
}

std::string ReceivedPage(const std::vector<SubmissionRow>& current,
                         const std::vector<MissingCall>& missing, const RobotSettings& settings) {
  std::string body = "<p>" + std::to_string(current.size()) +
                     " stations have sent a log. Deadline: " + E(DeadlineText(settings)) +
                     ".</p>\n<table id=\"logs\">\n<thead><tr><th>Call</th><th>Category</th>"
                     "<th>Received</th><th></th></tr></thead>\n<tbody>\n";
  for (const SubmissionRow& row : current) {
    body += Row({CallLink(row.Call), E(row.CategoryText.empty() ? "-" : row.CategoryText),
                 E(When(row.Received)), row.Late ? "<td class=\"late\">late</td>" : ""});
  }
  body += "</tbody>\n</table>\n<h2>Logs missing</h2>\n<p>Stations found in at least " +
          std::to_string(settings.MissingAfter) + " logs received that have not sent one:</p>\n";
  if (missing.empty()) {
    body += "<p>None.</p>\n";
  } else {
    body +=
        "<table id=\"missing\">\n<thead><tr><th>Call</th><th>In logs</th></tr></thead>\n"
        "<tbody>\n";
    // The stations most worked first; the page stays a page to read (the
    // JSON of /api/logs has them all).
    const size_t shown = std::min<size_t>(missing.size(), kMissingShown);
    for (size_t i = 0; i < shown; ++i)
      body +=
          Row({E(missing[i].Call), "<td class=\"n\">" + std::to_string(missing[i].Logs) + "</td>"});
    body += "</tbody>\n</table>\n";
    if (shown < missing.size())
      body += "<p>... and " + std::to_string(missing.size() - shown) + " more.</p>\n";
  }
  return RobotPage("Logs received", body);
}

std::string HistoryPage(const std::string& call, const std::vector<SubmissionRow>& rows) {
  std::string body =
      "<p>The log sent last counts; earlier ones are kept. A log held for the sponsor counts "
      "only if the sponsor accepts it.</p>\n"
      "<table id=\"history\">\n<thead><tr><th>Log id</th><th>Received</th>"
      "<th>Lines read</th><th>Score</th><th></th></tr></thead>\n<tbody>\n";
  for (const SubmissionRow& row : rows) {
    body += Row(
        {"<a href=\"/receipts/" + std::to_string(row.Id) + "\">" + std::to_string(row.Id) + "</a>",
         E(When(row.Received)) + (row.Late ? " <span class=\"late\">late</span>" : ""),
         "<td class=\"n\">" + std::to_string(row.LinesRead) + "</td>",
         "<td class=\"n\">" + Score(row.ComputedScore) + "</td>",
         row.Held                ? "<td class=\"held\">held for the sponsor</td>"
         : row.SupersededBy == 0 ? "counts"
                                 : "replaced"});
  }
  body += "</tbody>\n</table>\n";
  return RobotPage("Logs sent for " + call, body);
}

std::string SponsorPage(const std::vector<SubmissionRow>& held,
                        const std::vector<std::string>& damaged) {
  std::string tokenField =
      "<input type=\"text\" name=\"user\" value=\"sponsor\" autocomplete=\"username\" "
      "hidden>\n<p><label>Sponsor token<br><input type=\"password\" name=\"token\" required "
      "autocomplete=\"current-password\"></label></p>\n";
  std::string body =
      "<p>For the contest's sponsor. The token is in the file <code>sponsor-token</code> of "
      "the robot's data folder.</p>\n" +
      (damaged.empty() ? std::string()
                       : "<h2 class=\"held\">Stored logs not whole</h2>\n<p>Found when they were "
                         "last read: the check and the archive leave them out. Put the file "
                         "back as received, or ask the entrant to send the log again.</p>\n" +
                             List(damaged, "held")) +
      "<h2>Run the check and publish its results</h2>\n"
      "<form method=\"post\" action=\"/sponsor/check\">\n" +
      tokenField +
      "<p><button type=\"submit\">Run the check</button></p>\n</form>\n"
      "<h2>Download every log</h2>\n<form method=\"post\" action=\"/sponsor/archive\">\n" +
      tokenField + "<p><button type=\"submit\">Download (tar)</button></p>\n</form>\n" +
      "<h2>Logs held for the sponsor</h2>\n"
      "<p>A later log of a call that came without the call's resubmission key and from "
      "another e-mail address than the log that counts. Accepted, it counts in that log's "
      "place, and the call's key no longer works: a later log replaces it from the accepted "
      "log's address, and gets a new key.</p>\n";
  if (held.empty()) {
    body += "<p>None.</p>\n";
  } else {
    body +=
        "<table id=\"held\">\n<thead><tr><th>Log id</th><th>Call</th><th>Received</th>"
        "<th>Why</th></tr></thead>\n<tbody>\n";
    for (const SubmissionRow& row : held) {
      body += Row({"<a href=\"/receipts/" + std::to_string(row.Id) + "\">" +
                       std::to_string(row.Id) + "</a>",
                   CallLink(row.Call), E(When(row.Received)), E(row.HeldWhy)});
    }
    body += "</tbody>\n</table>\n";
  }
  body += "<form method=\"post\" action=\"/sponsor/accept\">\n" + tokenField +
          "<p><label>Log id<br><input type=\"number\" name=\"log\" min=\"1\" "
          "required></label></p>\n<p><button type=\"submit\">Accept the held log</button></p>\n"
          "</form>\n";
  body +=
      "<h2>Block a call from the live scores</h2>\n<form method=\"post\" "
      "action=\"/sponsor/block\">\n" +
      tokenField +
      "<p><label>Call<br><input type=\"text\" name=\"call\" required maxlength=\"20\" "
      "autocomplete=\"off\"></label></p>\n<p><button type=\"submit\" name=\"action\" "
      "value=\"block\">Block</button> <button type=\"submit\" name=\"action\" "
      "value=\"unblock\">Unblock</button></p>\n</form>\n";
  return RobotPage("Sponsor", body);
}

std::string NoResultsPage() {
  return RobotPage("Results", "<p>No results are published yet.</p>\n");
}

std::string MessagePage(const std::string& title, const std::string& message) {
  return RobotPage(title, "<p>" + E(message) + "</p>\n");
}
