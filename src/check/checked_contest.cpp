#include "check/checked_contest.h"

#include <map>

#include "check/call_text.h"

const char* ReceiptStatusName(ReceiptStatus status) {
  switch (status) {
    case ReceiptStatus::kChecked:
      return "checked";
    case ReceiptStatus::kChecklog:
      return "checklog";
    case ReceiptStatus::kNotScored:
      return "not_scored";
    case ReceiptStatus::kRejected:
      return "rejected";
    case ReceiptStatus::kSuperseded:
      return "superseded";
  }
  return "?";
}

void FindWhatIsAboutEachLog(CheckedContest& c) {
  std::map<std::string, int> logOf;
  for (size_t l = 0; l < c.Logs.size(); ++l)
    logOf.emplace(MatchForm(c.Logs[l].Call), static_cast<int>(l));
  c.About.assign(c.Logs.size(), {});
  for (size_t l = 0; l < c.Logs.size(); ++l) {
    for (size_t q = 0; q < c.Logs[l].Qsos.size(); ++q) {
      const QsoFinding& finding = c.Findings[l].Qsos[q];
      QsoRef ref{static_cast<int>(l), static_cast<int>(q)};
      if (finding.Kind == Verdict::kBustedCall || finding.Kind == Verdict::kBustedExchange) {
        c.About[finding.Evidence.Log].push_back(ref);
      } else if (finding.Kind == Verdict::kUnverified) {
        auto worked = logOf.find(MatchForm(c.Logs[l].Qsos[q].Call));
        if (worked != logOf.end())
          c.About[worked->second].push_back(ref);
      }
    }
  }
}
