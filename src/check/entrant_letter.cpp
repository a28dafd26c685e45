#include "check/entrant_letter.h"

#include <cstdlib>

#include "check/entrant_facts.h"
#include "core/base/text.h"

namespace {

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

std::string Summary(const std::string& title, const std::string& summary) {
  std::string text = ReplaceAll(summary, "\r\n", "\n");
  return title + "\n" + text + (text.empty() || text.back() != '\n' ? "\n" : "");
}

std::string Plural(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string CategoryText(const Entrant& e) {
  const CategoryHeaders& h = e.Header.Categories;
  std::string headers = "CATEGORY-OPERATOR " + (h.Operator.empty() ? "-" : h.Operator) +
                        ", -BAND " + (h.Band.empty() ? "-" : h.Band) + ", -TRANSMITTER " +
                        (h.Transmitter.empty() ? "-" : h.Transmitter) + ", -POWER " +
                        (h.Power.empty() ? "-" : h.Power);
  if (e.Kind == EntrantKind::kChecklog)
    return "checklog (" + headers + "): used as evidence, not ranked";
  std::string text = e.HasCategory ? e.Class.Code + ", " + e.Class.Title + " (" + headers + ")"
                                   : "none of the sponsor's table fits " + headers;
  return text + (e.Japanese ? "; Japan" : "; outside Japan");
}

}  // namespace

std::string RuleText(int minutes) {
  return "Rules of this check: a QSO is confirmed when the other station's log holds it on the\n"
         "same band within " +
         std::to_string(minutes) +
         " min, after a constant clock offset of either log is taken out.\n"
         "Every QSO line of a log is evidence that the QSO took place, also one that is not\n"
         "scored for that log (another mode, outside the period, a checklog's, or readable only\n"
         "in another form). Not in log (NIL): the other station's log does not hold it; when\n"
         "that log has lines nobody could read, the QSO is unverified instead, and kept.\n"
         "Busted call: the logged call is one character away from a station whose log holds\n"
         "the QSO. Busted exchange: the exchange received is not what the other station logged\n"
         "as sent (case, blanks and leading zeros aside). These three are taken out and the\n"
         "rest is scored again by Stats.dll, with no further penalty. A QSO the other log holds\n"
         "in another mode is kept and reported. Uniques (calls that sent no log and are in no\n"
         "other log) are kept and reported. QSOs with stations that sent no log but are in\n"
         "other logs count unchecked. Only QSOs of the contest period are scored or judged.\n"
         "Duplicates and QSOs Stats.dll refuses are judged by Stats.dll, as in the entrant's\n"
         "own scoring.\n";
}

std::vector<FlaggedQso> FlaggedQsos(const CheckedContest& c, int e) {
  std::vector<FlaggedQso> flagged;
  const CheckLog& log = c.Logs[e];
  const std::string& own = log.Call;
  for (int q = 0; q < static_cast<int>(log.Qsos.size()); ++q) {
    const CheckQso& qso = log.Qsos[q];
    const QsoFinding& finding = c.Findings[e].Qsos[q];
    const QsoRef ref = finding.Evidence;
    std::string why;
    switch (finding.Kind) {
      case Verdict::kNotInLog:
        why = "not in log: " + qso.Call + "'s log holds no QSO with " + own + " on " + qso.Band +
              " within " + std::to_string(c.Minutes) + " min";
        break;
      case Verdict::kUnverified:
        why = "unverified: " + qso.Call + "'s log holds no QSO with " + own + " on " + qso.Band +
              " within " + std::to_string(c.Minutes) +
              " min, but has QSO lines that could not be "
              "read; kept";
        break;
      case Verdict::kBustedCall:
        why = "busted call: " + qso.Call + " is one character from " + c.Logs[ref.Log].Call +
              ", whose log holds this QSO with " + own;
        break;
      case Verdict::kBustedExchange:
        why = "busted exchange: " + own + " logged '" + qso.ExchRcvd + "' received, " + qso.Call +
              " logged '" + c.Logs[ref.Log].Qsos[ref.Qso].ExchSent + "' sent";
        break;
      case Verdict::kModeDiffers:
        why = "mode differs: " + qso.Call + " logged this QSO as " +
              c.Logs[ref.Log].Qsos[ref.Qso].Mode + ", " + own + " as " + qso.Mode + "; kept";
        break;
      case Verdict::kUnique:
        why = "unique: " + qso.Call + " sent no log and is in no other log; kept";
        break;
      default:
        continue;
    }
    FlaggedQso f;
    f.Qso = q;
    f.Why = "line " + std::to_string(qso.Line) + ": " + why;
    f.Line = ShownLineOf(c, {e, static_cast<int>(q)});
    if (ref.Found()) {
      f.EvidenceWhere = Where(c, ref) +
                        (finding.Kind == Verdict::kNotInLog || finding.Kind == Verdict::kUnverified
                             ? " (its nearest QSO with " + own + ")"
                             : "");
      f.EvidenceLine = ShownLineOf(c, ref);
    }
    flagged.push_back(f);
  }
  return flagged;
}

std::vector<OthersQso> OthersAbout(const CheckedContest& c, int e) {
  std::vector<OthersQso> about;
  const std::string& own = c.Logs[e].Call;
  for (QsoRef ref : c.About[e]) {
    const QsoFinding& finding = c.Findings[ref.Log].Qsos[ref.Qso];
    const CheckQso& qso = c.Logs[ref.Log].Qsos[ref.Qso];
    std::string why;
    if (finding.Kind == Verdict::kBustedCall)
      why = "logged " + qso.Call + " for " + own;
    else if (finding.Kind == Verdict::kBustedExchange)
      why = "logged '" + qso.ExchRcvd + "' received from " + own + ", who logged '" +
            c.Logs[e].Qsos[finding.Evidence.Qso].ExchSent + "' sent";
    else
      why = "not found in this log, which has unreadable QSO lines: unverified";
    about.push_back({Where(c, ref), why, ShownLineOf(c, ref)});
  }
  return about;
}

std::string EntrantLetter(const CheckedContest& c, int e) {
  const Entrant& entrant = c.Entrants[e];
  const LogFindings& findings = c.Findings[e];
  VerdictCounts n = CountVerdicts(findings);
  std::string text = "DKZ contest log check of " + entrant.Call + " (" + entrant.File + ")\n";
  text += "Contest period: " + c.Period.Text() + "\n";
  text += "Category: " + CategoryText(entrant) + "\n";
  if (!entrant.CategoryFault.empty())
    text += "Category flagged: " + entrant.CategoryFault + "\n";
  if (!entrant.Header.ClaimedScore.empty() || entrant.Kind == EntrantKind::kRanked) {
    text += "Claimed score: " + (entrant.Header.ClaimedScore.empty()
                                     ? std::string("none in the header")
                                     : entrant.Header.ClaimedScore + " in the header");
    if (entrant.Kind == EntrantKind::kRanked) {
      text += ", " + std::to_string(ScoreOfSummary(entrant.ClaimedSummary)) +
              " as Stats.dll scores the log, " +
              std::to_string(ScoreOfSummary(entrant.CheckedSummary)) + " checked";
    }
    text += "\n";
  }
  if (entrant.Kind == EntrantKind::kNotScored)
    text += "Not scored: " + entrant.NotScoredWhy + "; the log is evidence for the others.\n";
  text += "\n" + std::to_string(entrant.QsosRead) + " QSOs read, " +
          std::to_string(entrant.PlannedQsos) + " in the period handed to Stats.dll, " +
          std::to_string(entrant.Stored.size()) +
          " stored. Checked against the other logs: " + std::to_string(n[Verdict::kConfirmed]) +
          " confirmed, " + std::to_string(n[Verdict::kNotInLog]) + " not in log, " +
          std::to_string(n[Verdict::kBustedCall]) + " busted call, " +
          std::to_string(n[Verdict::kBustedExchange]) + " busted exchange, " +
          std::to_string(n[Verdict::kUnverified]) + " unverified, " +
          std::to_string(n[Verdict::kModeDiffers]) + " in another mode there, " +
          std::to_string(n[Verdict::kUnique]) + " unique, " +
          std::to_string(n[Verdict::kUnchecked]) + " unchecked (no log from the station), " +
          std::to_string(n[Verdict::kRepeat]) +
          " repeats of a confirmed QSO (left to Stats.dll).\n";
  if (entrant.EvidenceOnlyLines > 0) {
    text += Plural(entrant.EvidenceOnlyLines, "QSO line", "QSO lines") +
            " could be read only as evidence (X-QSO:, or a time, frequency or date in "
            "another form than HHMM, kHz and YYYY-MM-DD): they confirm other logs' QSOs but "
            "score nothing for this log.\n";
  }
  if (entrant.UnreadableLines > 0) {
    text += Plural(static_cast<size_t>(entrant.UnreadableLines), "QSO line", "QSO lines") +
            " could not be read at all: a QSO of another log missing from this one is "
            "unverified, not a NIL.\n";
  }
  if (findings.ClockOffsetSeconds != 0) {
    text += "Clock: this log's times stand " + Duration(findings.ClockOffsetSeconds) +
            (findings.ClockOffsetSeconds > 0 ? " ahead of" : " behind") +
            " the other logs'; its QSOs were matched with that taken out.\n";
  }
  text += "\nFlagged QSOs:\n";
  std::vector<FlaggedQso> flagged = FlaggedQsos(c, e);
  for (const FlaggedQso& f : flagged) {
    text += f.Why + "\n  " + f.Line + "\n";
    if (!f.EvidenceWhere.empty())
      text += "  " + f.EvidenceWhere + ":\n  " + f.EvidenceLine + "\n";
  }
  if (flagged.empty())
    text += "none\n";
  std::vector<OthersQso> about = OthersAbout(c, e);
  if (!about.empty()) {
    text += "\nOther logs about " + entrant.Call +
            " (who miscopied its call or exchange, and "
            "what it could not verify):\n";
    for (const OthersQso& o : about)
      text += o.Where + ": " + o.Why + "\n  " + o.Line + "\n";
  }
  if (entrant.Kind == EntrantKind::kRanked) {
    text += "\n" + Summary("Claimed score (the whole log, as Stats.dll scores it):",
                           entrant.ClaimedSummary);
    text += "\n" + Summary("Checked score (" + std::to_string(entrant.CheckedQsos) +
                               " QSOs: the NIL, busted-call and busted-exchange QSOs taken out):",
                           entrant.CheckedSummary);
  }
  if (!entrant.Notes.empty()) {
    text += "\nNotes on reading the log:\n";
    for (const std::string& note : entrant.Notes)
      text += "  " + note + "\n";
  }
  return text + "\n" + RuleText(c.Minutes);
}

std::string RejectedText(const CheckedContest& c) {
  std::string text = "Contest period: " + c.Period.Text() + "\n";
  for (const Receipt& r : c.Received) {
    if (r.Status != ReceiptStatus::kRejected && r.Status != ReceiptStatus::kSuperseded)
      continue;
    // Most reasons name the file already.
    bool named = r.Reason.compare(0, r.File.size(), r.File) == 0;
    text += (named ? "" : r.File + ": ") + r.Reason + "\n";
  }
  return text;
}
