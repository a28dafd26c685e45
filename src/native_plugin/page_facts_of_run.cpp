#include "native_plugin/page_facts_of_run.h"

#include <cmath>

#include "core/contest/contest_rules.h"
#include "report_page/summary_table.h"

namespace {

int64_t MinuteOf(const OleDateTime& time) {
  return static_cast<int64_t>(std::floor(time.Date * 1440.0 + 0.5 / 60.0));  // to the second
}

std::string KindOf(const std::string& message) {
  const std::string bangs = " !!!";
  bool shouting = message.size() > bangs.size() &&
                  message.compare(message.size() - bangs.size(), bangs.size(), bangs) == 0;
  return shouting ? message.substr(0, message.size() - bangs.size()) : message;
}

}  // namespace

PageFacts PageFactsOfRun(const ScoreOutcome& outcome) {
  PageFacts facts;
  facts.LogName = outcome.LogName;
  facts.OwnCall = outcome.Reset.OwnCall;
  facts.Summary = ParseSummaryTable(outcome.Summary);
  facts.PeriodStartMinute = MinuteOf(outcome.Reset.PeriodStart);
  facts.PeriodEndMinute = MinuteOf(outcome.Reset.PeriodEnd) + 24 * 60;  // the last day's end

  facts.Warnings = RunWarnings(outcome);
  facts.NoContinentNotes = NoContinentNotes(outcome);
  const std::vector<bool> counts = CountingQsos(outcome);
  facts.Qsos.resize(outcome.HandedOver.size());
  for (size_t i = 0; i < outcome.HandedOver.size(); ++i) {
    const QsoInput& handed = outcome.HandedOver[i];
    PageQso& qso = facts.Qsos[i];
    qso.Minute = MinuteOf(handed.Time);
    qso.Band = handed.Band;
    qso.Continent = handed.Continent;
    qso.Stored = i < outcome.StoredQso.size() && outcome.StoredQso[i];
    qso.Counts = counts[i];
    std::string code = NormalizeCode(handed.ExchRcvd);
    if (qso.Stored && kDkzRules.IsDistrictCode(code))
      qso.District = code;
  }
  for (const ErrorProblem& problem : outcome.Problems)
    facts.Problems.push_back({KindOf(problem.Message), problem.Line, problem.Note});

  facts.LeftOut = {
      {"records that could not be read", outcome.RecordsSkipped},
      {"QSOs outside the contest period, not handed to the plug-in", outcome.OutsidePeriod},
      {"QSOs refused by the plug-in: not a contest band",
       static_cast<size_t>(outcome.RefusedBy.Band)},
      {"QSOs refused by the plug-in: not CW", static_cast<size_t>(outcome.RefusedBy.Mode)},
      {"QSOs refused by the plug-in: no exchange",
       static_cast<size_t>(outcome.RefusedBy.NoExchange)},
      {"QSOs refused by the plug-in for a reason err.txt does not give",
       static_cast<size_t>(outcome.RefusedBy.NotSaid)},
  };
  return facts;
}
