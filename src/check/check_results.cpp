#include "check_results.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "core/base/text.h"
#include "core/cabrillo/cabrillo_log.h"

namespace {

struct Counts {
  int Of[kVerdictCount] = {};
  int operator[](Verdict v) const { return Of[static_cast<int>(v)]; }
};

Counts CountVerdicts(const LogFindings& findings) {
  Counts counts;
  for (const QsoFinding& qso : findings.Qsos)
    ++counts.Of[static_cast<int>(qso.Kind)];
  return counts;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\n") == std::string::npos)
    return text;
  return '"' + ReplaceAll(text, "\"", "\"\"") + '"';
}

const QsoInput& PlannedQso(const CheckedContest& c, QsoRef ref) {
  const Entrant& entrant = c.Entrants[ref.Log];
  return entrant.Plan.Qsos[entrant.Stored[ref.Qso]];
}

// The QSO as a line of the plug-in's Cabrillo export.
std::string QsoLine(const QsoInput& qso) {
  CabrilloLog line;
  line.Callsign = qso.OwnCall;
  line.AddQsoLine(qso.Call, static_cast<int32_t>(qso.FrequencyHz / 1000), qso.Mode, qso.Time,
                  qso.RstSent, qso.ExchSent, qso.RstRcvd, qso.ExchRcvd);
  std::string text = line.QsoLines.front();
  return text.substr(0, text.size() - 2);  // without CR LF
}

std::string Where(const CheckedContest& c, QsoRef ref) {
  return c.Logs[ref.Log].Call + " line " + std::to_string(c.Logs[ref.Log].Qsos[ref.Qso].Line);
}

std::string Duration(int64_t seconds) {
  int64_t s = std::llabs(seconds);
  std::string text;
  if (s >= 3600)
    text += std::to_string(s / 3600) + " h ";
  if (s % 3600 >= 60)
    text += std::to_string(s % 3600 / 60) + " min ";
  if (s % 60 != 0 || s == 0)
    text += std::to_string(s % 60) + " s ";
  return text.substr(0, text.size() - 1);
}

// Why the QSO was flagged, and the line of the other log that shows it.
std::string Flagged(const CheckedContest& c, int e, int q) {
  const CheckQso& qso = c.Logs[e].Qsos[q];
  const QsoFinding& finding = c.Findings[e].Qsos[q];
  const std::string& own = c.Logs[e].Call;
  std::string text = "line " + std::to_string(qso.Line) + ": ";
  switch (finding.Kind) {
    case Verdict::kNotInLog:
      text += "not in log: " + qso.Call + "'s log holds no QSO with " + own + " on " + qso.Band +
              " within " + std::to_string(c.Minutes) + " min";
      break;
    case Verdict::kBustedCall:
      text += "busted call: " + qso.Call + " is one character from " +
              c.Logs[finding.Evidence.Log].Call + ", whose log holds this QSO with " + own;
      break;
    case Verdict::kBustedExchange:
      text += "busted exchange: " + own + " logged '" + qso.ExchRcvd + "' received, " + qso.Call +
              " logged '" + PlannedQso(c, finding.Evidence).ExchSent + "' sent";
      break;
    default:
      text += "unique: " + qso.Call + " sent no log and is in no other log (kept)";
      break;
  }
  text += "\n  " + QsoLine(c.Entrants[e].Plan.Qsos[c.Entrants[e].Stored[q]]) + "\n";
  if (finding.Evidence.Found()) {
    text += "  " + Where(c, finding.Evidence) +
            (finding.Kind == Verdict::kNotInLog ? " (its nearest QSO with " + own + ")" : "") +
            ":\n  " + QsoLine(PlannedQso(c, finding.Evidence)) + "\n";
  }
  return text;
}

std::string Summary(const std::string& title, const std::string& summary) {
  std::string text = ReplaceAll(summary, "\r\n", "\n");
  return title + "\n" + text + (text.empty() || text.back() != '\n' ? "\n" : "");
}

}  // namespace

std::string RuleText(int minutes) {
  return "Rules of this check: a QSO is confirmed when the other station's log holds it on the\n"
         "same band within " +
         std::to_string(minutes) +
         " min, after a constant clock offset of either log is taken out.\n"
         "Not in log (NIL): the other station's log does not hold it. Busted call: the\n"
         "logged call is one character away from a station whose log holds the QSO.\n"
         "Busted exchange: the exchange received is not what the other station logged as\n"
         "sent (case, blanks and leading zeros aside). These three are taken out and the\n"
         "rest is scored again by Stats.dll, with no further penalty. Uniques (calls that\n"
         "sent no log and are in no other log) are kept and reported. QSOs with stations\n"
         "that sent no log but are in other logs count unchecked. Duplicates and QSOs\n"
         "Stats.dll refuses are judged by Stats.dll, as in the entrant's own scoring.\n";
}

long long ScoreOfSummary(const std::string& summary) {
  size_t at = summary.rfind("Score\t");
  if (at == std::string::npos)
    throw std::runtime_error("Stats.dll's summary gives no score");
  return std::atoll(summary.c_str() + at + 6);
}

std::string ResultsCsv(const CheckedContest& c) {
  struct Row {
    long long Checked;
    std::string Call, Line;
  };
  std::vector<Row> rows;
  for (size_t e = 0; e < c.Entrants.size(); ++e) {
    const Entrant& entrant = c.Entrants[e];
    Counts n = CountVerdicts(c.Findings[e]);
    long long checked = ScoreOfSummary(entrant.CheckedSummary);
    const std::string& call = c.Logs[e].Call;
    rows.push_back({checked, call,
                    CsvField(call) + ',' + std::to_string(entrant.QsosRead) + ',' +
                        std::to_string(ScoreOfSummary(entrant.ClaimedSummary)) + ',' +
                        std::to_string(entrant.CheckedQsos) + ',' + std::to_string(checked) + ',' +
                        std::to_string(n[Verdict::kNotInLog]) + ',' +
                        std::to_string(n[Verdict::kBustedCall]) + ',' +
                        std::to_string(n[Verdict::kBustedExchange]) + ',' +
                        std::to_string(n[Verdict::kUnique]) + '\n'});
  }
  std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
    return a.Checked != b.Checked ? a.Checked > b.Checked : a.Call < b.Call;
  });
  std::string csv =
      "call,logged_qsos,claimed_score,checked_qsos,checked_score,nil,busted_call,busted_exchange,"
      "unique\n";
  for (const Row& row : rows)
    csv += row.Line;
  return csv;
}

std::string FindingsCsv(const CheckedContest& c) {
  std::string csv = "call,line,verdict,detail\n";
  for (size_t e = 0; e < c.Logs.size(); ++e) {
    const std::string call = CsvField(c.Logs[e].Call);
    if (c.Findings[e].ClockOffsetSeconds != 0)
      csv += call + ",,clock_offset," + std::to_string(c.Findings[e].ClockOffsetSeconds) + " s\n";
    for (size_t q = 0; q < c.Logs[e].Qsos.size(); ++q) {
      const QsoFinding& finding = c.Findings[e].Qsos[q];
      if (finding.Kind == Verdict::kConfirmed)
        continue;
      csv += call + ',' + std::to_string(c.Logs[e].Qsos[q].Line) + ',' + VerdictName(finding.Kind) +
             ',' + (finding.Evidence.Found() ? CsvField(Where(c, finding.Evidence)) : "") + '\n';
    }
  }
  return csv;
}

std::string EntrantLetter(const CheckedContest& c, int e) {
  const Entrant& entrant = c.Entrants[e];
  const LogFindings& findings = c.Findings[e];
  Counts n = CountVerdicts(findings);
  const int stored = static_cast<int>(entrant.Stored.size());
  std::string text = "DKZ contest log check of " + c.Logs[e].Call + " (" + entrant.File + ")\n\n";
  text += std::to_string(entrant.QsosRead) + " QSOs read, " + std::to_string(stored) +
          " stored by Stats.dll. Checked against the other logs: " +
          std::to_string(n[Verdict::kConfirmed]) + " confirmed, " +
          std::to_string(n[Verdict::kNotInLog]) + " not in log, " +
          std::to_string(n[Verdict::kBustedCall]) + " busted call, " +
          std::to_string(n[Verdict::kBustedExchange]) + " busted exchange, " +
          std::to_string(n[Verdict::kUnique]) + " unique, " +
          std::to_string(n[Verdict::kUnchecked]) + " unchecked (no log from the station), " +
          std::to_string(n[Verdict::kRepeat]) +
          " repeats of a confirmed QSO (left to Stats.dll).\n";
  if (findings.ClockOffsetSeconds != 0) {
    text += "Clock: this log's times stand " + Duration(findings.ClockOffsetSeconds) +
            (findings.ClockOffsetSeconds > 0 ? " ahead of" : " behind") +
            " the other logs'; its QSOs were matched with that taken out.\n";
  }
  text += "\nFlagged QSOs:\n";
  bool any = false;
  for (int q = 0; q < stored; ++q) {
    Verdict kind = findings.Qsos[q].Kind;
    if (TakenOut(kind) || kind == Verdict::kUnique) {
      text += Flagged(c, e, q);
      any = true;
    }
  }
  if (!any)
    text += "none\n";
  text += "\n" +
          Summary("Claimed score (the whole log, as Stats.dll scores it):", entrant.ClaimedSummary);
  text += "\n" + Summary("Checked score (" + std::to_string(entrant.CheckedQsos) +
                             " QSOs: the NIL, busted-call and busted-exchange QSOs taken out):",
                         entrant.CheckedSummary);
  if (!entrant.Notes.empty()) {
    text += "\nNotes on reading the log:\n";
    for (const std::string& note : entrant.Notes)
      text += "  " + note + "\n";
  }
  return text + "\n" + RuleText(c.Minutes);
}

std::string RejectedText(const std::vector<Rejection>& rejected) {
  std::string text;
  for (const Rejection& r : rejected) {
    // Most reasons name the file already.
    bool named = r.Reason.compare(0, r.File.size(), r.File) == 0;
    text += (named ? "" : r.File + ": ") + r.Reason + "\n";
  }
  return text;
}
