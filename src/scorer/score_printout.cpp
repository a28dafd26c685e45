#include "scorer/score_printout.h"

#include "core/base/text.h"

std::string FormatPrintout(const ScoreOutcome& o) {
  std::string text;
  for (const std::string& warning : RunWarnings(o))
    text += "Warning: " + warning + "\n";
  text += o.LogName + " (" + o.Format + "): " + CountOf(o.QsosRead, "QSO", "QSOs") + " read, " +
          CountOf(o.RecordsSkipped, "record", "records") + " skipped\n";
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
  size_t notes = 0;
  for (const ErrorProblem& problem : o.Problems)
    notes += problem.Note ? 1 : 0;
  if (!o.ErrorFileWritten) {
    text += "err.txt: not written in this run\n";
  } else if (notes == 0) {
    text += "err.txt: " + CountOf(o.Problems.size(), "problem", "problems") + "\n";
  } else {
    text += "err.txt: " + CountOf(o.Problems.size(), "line", "lines") + ": " +
            CountOf(o.Problems.size() - notes, "problem", "problems") + ", " +
            CountOf(notes, "note", "notes") + " on QSOs that count\n";
  }
  for (const std::string& note : NoContinentNotes(o))
    text += note + "\n";
  if (o.CabrilloQsoLines)
    text += o.CabrilloFile + ": " + CountOf(*o.CabrilloQsoLines, "QSO line", "QSO lines") + "\n";
  return text;
}
