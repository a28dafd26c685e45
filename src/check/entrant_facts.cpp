#include "check/entrant_facts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "check/check_entrant.h"
#include "core/base/date_time.h"

VerdictCounts CountVerdicts(const LogFindings& findings) {
  VerdictCounts counts;
  for (const QsoFinding& qso : findings.Qsos)
    ++counts.Of[static_cast<int>(qso.Kind)];
  return counts;
}

long long ScoreOfSummary(const std::string& summary) {
  size_t at = summary.rfind("Score\t");
  if (at == std::string::npos)
    throw std::runtime_error("Stats.dll's summary gives no score");
  return std::atoll(summary.c_str() + at + 6);
}

int VerifiableQsos(const VerdictCounts& n) {
  return n[Verdict::kConfirmed] + n[Verdict::kBustedExchange] + n[Verdict::kBustedCall] +
         n[Verdict::kNotInLog] + n[Verdict::kModeDiffers];
}

std::string ErrorRate(const VerdictCounts& n) {
  int verifiable = VerifiableQsos(n);
  if (verifiable == 0)
    return "";
  int errors = n[Verdict::kNotInLog] + n[Verdict::kBustedCall] + n[Verdict::kBustedExchange];
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", 100.0 * errors / verifiable);
  return text;
}

std::vector<int> RankedOrder(const CheckedContest& c) {
  std::vector<int> order;
  std::vector<long long> checked(c.Entrants.size(), 0);
  for (size_t e = 0; e < c.Entrants.size(); ++e) {
    if (c.Entrants[e].Kind != EntrantKind::kRanked)
      continue;
    checked[e] = ScoreOfSummary(c.Entrants[e].CheckedSummary);
    order.push_back(static_cast<int>(e));
  }
  std::sort(order.begin(), order.end(), [&](int a, int b) {
    return checked[a] != checked[b] ? checked[a] > checked[b]
                                    : c.Entrants[a].Call < c.Entrants[b].Call;
  });
  return order;
}

std::string Where(const CheckedContest& c, QsoRef ref) {
  return c.Logs[ref.Log].Call + " line " + std::to_string(c.Logs[ref.Log].Qsos[ref.Qso].Line);
}

std::string QsoTimeText(const CheckQso& qso) {
  CalendarTime t = CalendarOf(qso.Time);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.Year, t.Month, t.Day, t.Hour,
                t.Minute);
  return text;
}

std::string ShownLineOf(const CheckedContest& c, QsoRef ref) {
  return ShownLine(c.Logs[ref.Log].Qsos[ref.Qso], c.Entrants[ref.Log].Call);
}
