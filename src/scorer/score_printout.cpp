#include "score_printout.h"

#include "core/base/text.h"

namespace {

std::string Count(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string FormatPrintout(const ScoreOutcome& o) {
  std::string text = o.LogName + " (" + o.Format + "): " + Count(o.QsosRead, "QSO", "QSOs") +
                     " read, " + Count(o.RecordsSkipped, "record", "records") + " skipped\n";
  text += "own call " + o.Reset.OwnCall + ", own prefix " + o.Reset.OwnPrefix + ", period " +
          FormatDateTime(o.Reset.PeriodStart, "%Y-%m-%d") + " to " +
          FormatDateTime(o.Reset.PeriodEnd, "%Y-%m-%d") + "\n\n";
  if (!o.Summary.empty()) {
    text += ReplaceAll(o.Summary, "\r\n", "\n");
    if (text.back() != '\n')
      text += '\n';
    text += '\n';
  }
  const RefusalCounts& by = o.RefusedBy;
  text += "QSOs: " + std::to_string(o.QsosRead) + " read, " + std::to_string(o.OutsidePeriod) +
          " outside the period, " + std::to_string(o.Stored) + " stored, " +
          std::to_string(o.Refused) + " refused (band " + std::to_string(by.Band) + ", mode " +
          std::to_string(by.Mode) + ", no exchange " + std::to_string(by.NoExchange) +
          (by.NotSaid > 0 ? ", reason not in err.txt " + std::to_string(by.NotSaid) : "") + ")\n";
  text += o.ErrorFileWritten ? "err.txt: " + Count(o.Problems.size(), "problem", "problems") + "\n"
                             : "err.txt: not written in this run\n";
  if (o.CabrilloQsoLines)
    text += o.CabrilloFile + ": " + Count(*o.CabrilloQsoLines, "QSO line", "QSO lines") + "\n";
  return text;
}
