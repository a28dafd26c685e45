#include "robot/live_board_page.h"

#include <algorithm>

#include "report_page/page_html.h"
#include "robot/robot_pages.h"
#include "robot/robot_text.h"

namespace {

const int kLineWidth = 160;
const int kLineHeight = 36;

std::string E(const std::string& text) {
  return HtmlEscape(text);
}

std::string Number(int64_t value) {
  return "<td class=\"n\">" + std::to_string(value) + "</td>";
}

// The leader's claimed score over time: x by time, y from 0 to the highest.
std::string LeaderLine(const BoardGroup& group) {
  const std::vector<ScorePoint>& points = group.LeaderLine;
  if (points.empty())
    return "";
  const int64_t first = points.front().At;
  const int64_t span = std::max<int64_t>(points.back().At - first, 1);
  int64_t top = 1;
  for (const ScorePoint& point : points)
    top = std::max(top, point.Score);
  const int inner = kLineHeight - 4;
  auto x = [&](const ScorePoint& p) {
    return points.size() == 1 ? kLineWidth / 2 : 2 + (p.At - first) * (kLineWidth - 4) / span;
  };
  auto y = [&](const ScorePoint& p) { return 2 + inner - p.Score * inner / top; };
  std::string line;
  for (const ScorePoint& point : points)
    line += (line.empty() ? "" : " ") + std::to_string(x(point)) + "," + std::to_string(y(point));
  const std::string& leader = group.Rows.front().Call;
  return "<p class=\"leader\"><svg class=\"line\" viewBox=\"0 0 " + std::to_string(kLineWidth) +
         " " + std::to_string(kLineHeight) + "\" width=\"" + std::to_string(kLineWidth) +
         "\" height=\"" + std::to_string(kLineHeight) + "\" role=\"img\" aria-label=\"" +
         E(leader) + ": claimed score over time\"><polyline points=\"" + line +
         "\"/><circle cx=\"" + std::to_string(x(points.back())) + "\" cy=\"" +
         std::to_string(y(points.back())) + "\" r=\"2.5\"/></svg> <span>" + E(leader) +
         "'s claimed score over time</span></p>\n";
}

std::string GroupTable(const BoardGroup& group, int64_t now) {
  std::string html = "<h3>" + E(group.Title) + "</h3>\n" + LeaderLine(group) +
                     "<table class=\"board\">\n<thead><tr><th class=\"n\">#</th><th>Call</th>"
                     "<th class=\"n\">QSOs</th><th class=\"n\">Mults</th><th "
                     "class=\"n\">Score</th><th>Last post</th></tr></thead>\n<tbody>\n";
  for (const BoardRow& row : group.Rows) {
    const bool stale = IsStale(row, now);
    html += std::string(stale ? "<tr class=\"stale\">" : "<tr>") + Number(row.Rank) +
            "<td class=\"call\">" + E(row.Call) + "</td>" + Number(row.Qsos) + Number(row.Mults) +
            Number(row.Score) + "<td>" + E(AgeText(now - row.LastPost)) + (stale ? ", stale" : "") +
            "</td></tr>\n";
  }
  html += "</tbody>\n</table>\n";
  if (group.Stations > group.Rows.size())
    html += "<p class=\"more\">and " + std::to_string(group.Stations - group.Rows.size()) +
            " more</p>\n";
  return html;
}

}  // namespace

std::string LiveBoardPage(const LiveBoard& board, int64_t now) {
  std::string iso = IsoUtc(now);
  std::string body =
      "<p class=\"claimed\">The scores each station's logger claims while the contest runs: "
      "not checked, and not the results.</p>\n<p>" +
      std::to_string(board.Stations) + (board.Stations == 1 ? " station" : " stations") + " at " +
      iso.substr(0, 10) + " " + iso.substr(11, 5) +
      " UTC. The page refreshes itself every minute; a station whose last post is older than " +
      std::to_string(kStaleSeconds / 60) + " minutes is marked stale.</p>\n<nav class=\"board\">";
  for (const BoardSection& section : board.Sections)
    body += "<a href=\"#" + section.Id + "\">" + E(section.Title) + "</a> ";
  body += "</nav>\n";
  for (const BoardSection& section : board.Sections) {
    body += "<section>\n<h2 id=\"" + section.Id + "\">" + E(section.Title) + "</h2>\n";
    if (section.Groups.empty())
      body += "<p>No posts yet.</p>\n";
    for (const BoardGroup& group : section.Groups)
      body += GroupTable(group, now);
    body += "</section>\n";
  }
  return RobotPage("Claimed live scores", body, "<meta http-equiv=\"refresh\" content=\"60\">\n");
}
