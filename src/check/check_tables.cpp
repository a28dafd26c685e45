#include "check/check_tables.h"

#include <algorithm>
#include <map>

#include "check/call_text.h"
#include "check/csv_text.h"
#include "check/entrant_facts.h"

namespace {

std::string Row(std::initializer_list<std::string> cells) {
  std::string row;
  for (const std::string& cell : cells)
    row += (row.empty() ? "" : ",") + cell;
  return row + "\n";
}

std::string Number(long long n) {
  return std::to_string(n);
}

// Ranked entrants first, then checklogs and logs that scored nothing, by call.
std::vector<int> AllInOrder(const CheckedContest& c) {
  std::vector<int> order = RankedOrder(c);
  std::vector<int> rest;
  for (size_t e = 0; e < c.Entrants.size(); ++e) {
    if (c.Entrants[e].Kind != EntrantKind::kRanked)
      rest.push_back(static_cast<int>(e));
  }
  std::sort(rest.begin(), rest.end(),
            [&](int a, int b) { return c.Entrants[a].Call < c.Entrants[b].Call; });
  order.insert(order.end(), rest.begin(), rest.end());
  return order;
}

}  // namespace

std::string ResultsCsv(const CheckedContest& c) {
  std::string csv =
      "call,logged_qsos,claimed_score,checked_qsos,checked_score,nil,busted_call,busted_exchange,"
      "unique\n";
  for (int e : RankedOrder(c)) {
    const Entrant& entrant = c.Entrants[e];
    VerdictCounts n = CountVerdicts(c.Findings[e]);
    csv += Row({CsvCell(entrant.Call), Number(static_cast<long long>(entrant.QsosRead)),
                Number(ScoreOfSummary(entrant.ClaimedSummary)), Number(entrant.CheckedQsos),
                Number(ScoreOfSummary(entrant.CheckedSummary)), Number(n[Verdict::kNotInLog]),
                Number(n[Verdict::kBustedCall]), Number(n[Verdict::kBustedExchange]),
                Number(n[Verdict::kUnique])});
  }
  return csv;
}

std::string FindingsCsv(const CheckedContest& c) {
  std::string csv = "call,line,verdict,detail,worked,band,time,evidence_line\n";
  for (size_t e = 0; e < c.Logs.size(); ++e) {
    const CheckLog& log = c.Logs[e];
    const std::string call = CsvCell(log.Call);
    if (c.Findings[e].ClockOffsetSeconds != 0) {
      csv +=
          Row({call, "", "clock_offset",
               CsvCell(std::to_string(c.Findings[e].ClockOffsetSeconds) + " s"), "", "", "", ""});
    }
    for (size_t q = 0; q < log.Qsos.size(); ++q) {
      const QsoFinding& finding = c.Findings[e].Qsos[q];
      if (finding.Kind == Verdict::kConfirmed || finding.Kind == Verdict::kUnchecked ||
          finding.Kind == Verdict::kEvidence)
        continue;
      const CheckQso& qso = log.Qsos[q];
      const QsoRef ref = finding.Evidence;
      csv += Row({call, Number(qso.Line), VerdictName(finding.Kind),
                  ref.Found() ? CsvCell(Where(c, ref)) : "", CsvCell(qso.Call), CsvCell(qso.Band),
                  QsoTimeText(qso), ref.Found() ? CsvCell(ShownLineOf(c, ref)) : ""});
    }
  }
  return csv;
}

std::string StationsWithoutLogCsv(const CheckedContest& c) {
  struct Seen {
    std::vector<int> Logs;
    int Qsos = 0;
  };
  std::map<std::string, Seen> stations;
  for (size_t e = 0; e < c.Logs.size(); ++e) {
    for (size_t q = 0; q < c.Logs[e].Qsos.size(); ++q) {
      Verdict kind = c.Findings[e].Qsos[q].Kind;
      if (kind != Verdict::kUnchecked && kind != Verdict::kUnique)
        continue;
      Seen& seen = stations[MatchForm(c.Logs[e].Qsos[q].Call)];
      if (seen.Logs.empty() || seen.Logs.back() != static_cast<int>(e))
        seen.Logs.push_back(static_cast<int>(e));
      ++seen.Qsos;
    }
  }
  std::vector<std::pair<std::string, Seen>> rows(stations.begin(), stations.end());
  std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
    return a.second.Logs.size() > b.second.Logs.size();
  });
  std::string csv = "call,logs,qsos\n";
  for (const auto& [call, seen] : rows)
    csv +=
        Row({CsvCell(call), Number(static_cast<long long>(seen.Logs.size())), Number(seen.Qsos)});
  return csv;
}

std::string ReceivedCsv(const CheckedContest& c) {
  std::string csv =
      "file,call,status,reason,qso_lines,evidence_only_lines,unreadable_lines,category_operator,"
      "category_band,category_transmitter,category_power,category,claimed_score_header,report\n";
  for (const Receipt& r : c.Received) {
    const CategoryHeaders& h = r.Header.Categories;
    const Entrant* e = r.Entrant >= 0 ? &c.Entrants[r.Entrant] : nullptr;
    csv += Row({CsvCell(r.File), CsvCell(r.Call), ReceiptStatusName(r.Status), CsvCell(r.Reason),
                Number(static_cast<long long>(r.LinesRead)),
                Number(static_cast<long long>(r.EvidenceOnly)), Number(r.Unreadable),
                CsvCell(h.Operator), CsvCell(h.Band), CsvCell(h.Transmitter), CsvCell(h.Power),
                e && e->HasCategory ? CsvCell(e->Class.Code) : "", CsvCell(r.Header.ClaimedScore),
                e ? CsvCell(e->LetterName + ".txt") : ""});
  }
  return csv;
}

std::string EntrantsCsv(const CheckedContest& c) {
  std::string csv =
      "call,file,report,status,category,japanese,country,continent,district,"
      "claimed_score_header,claimed_score,checked_score,verifiable_qsos,error_rate,unverified,"
      "mode_differs,evidence_only_lines,unreadable_lines,category_fault\n";
  for (int e : AllInOrder(c)) {
    const Entrant& entrant = c.Entrants[e];
    VerdictCounts n = CountVerdicts(c.Findings[e]);
    bool ranked = entrant.Kind == EntrantKind::kRanked;
    const char* status = ranked                                   ? "checked"
                         : entrant.Kind == EntrantKind::kChecklog ? "checklog"
                                                                  : "not_scored";
    csv += Row(
        {CsvCell(entrant.Call), CsvCell(entrant.File), CsvCell(entrant.LetterName + ".txt"), status,
         entrant.HasCategory ? CsvCell(entrant.Class.Code) : "", entrant.Japanese ? "yes" : "no",
         CsvCell(entrant.Country.Name), CsvCell(entrant.Country.Continent),
         CsvCell(entrant.District), CsvCell(entrant.Header.ClaimedScore),
         ranked ? Number(ScoreOfSummary(entrant.ClaimedSummary)) : "",
         ranked ? Number(ScoreOfSummary(entrant.CheckedSummary)) : "", Number(VerifiableQsos(n)),
         ErrorRate(n), Number(n[Verdict::kUnverified]), Number(n[Verdict::kModeDiffers]),
         Number(static_cast<long long>(entrant.EvidenceOnlyLines)), Number(entrant.UnreadableLines),
         CsvCell(entrant.CategoryFault)});
  }
  return csv;
}
