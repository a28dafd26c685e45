#include "report_of_run.h"

#include "report_gather.h"

ReportFacts ReportFactsOfRun(const ScoreOutcome& outcome, const std::string& errText) {
  ReportFacts facts = GatherReportFacts(outcome.Reset, outcome.HandedOver, outcome.StoredQso,
                                        errText, outcome.Summary);
  facts.LogName = outcome.LogName;
  facts.LeftOut = {{"records that could not be read", outcome.RecordsSkipped},
                   {"QSOs refused by the plug-in", static_cast<size_t>(outcome.Refused)}};
  return facts;
}
