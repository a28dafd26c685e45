#include "score_report.h"

#include "base/text.h"

namespace {

std::string Count(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string FormatReport(const ScoreOutcome& o) {
  std::string text = o.LogName + " (" + o.Format + "): " + Count(o.QsosRead, "QSO", "QSOs") +
                     " read, " + Count(o.RecordsSkipped, "record", "records") + " skipped\n";
  text += "own call " + o.Reset.OwnCall + ", own prefix " + o.Reset.OwnPrefix + ", period " +
          FormatDateTime(o.Reset.PeriodStart, "%Y-%m-%d") + " to " +
          FormatDateTime(o.Reset.PeriodEnd, "%Y-%m-%d") + "\n";
  text += "Stats.dll: " + Count(static_cast<size_t>(o.Stored), "QSO", "QSOs") + " stored, " +
          std::to_string(o.Refused) + " refused (see err.txt)\n\n";
  text += ReplaceAll(o.Summary, "\r\n", "\n");
  if (!text.empty() && text.back() != '\n')
    text += '\n';
  return text;
}
