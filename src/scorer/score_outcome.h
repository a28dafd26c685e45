// What a dkz-score run found: what was read and handed over, what the
// plug-in answered and wrote to err.txt.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/engine/host_input.h"

// One line the plug-in wrote to err.txt while it was handed a QSO.
struct ErrorProblem {
  size_t Qso = 0;       // index into ScoreOutcome::HandedOver
  std::string Message;  // "Code is not acceptable !!!"
  std::string Line;     // the whole line, without its line end
};

// Why Stats.dll refused QSOs, as it said in err.txt.
struct RefusalCounts {
  int Band = 0;
  int Mode = 0;
  int NoExchange = 0;
  int NotSaid = 0;  // err.txt said nothing we know (or was not written)
};

struct ScoreOutcome {
  std::string LogName;  // as the user named it
  std::string Format;   // "ADIF" or "Cabrillo"
  size_t QsosRead = 0;
  size_t RecordsSkipped = 0;
  size_t OutsidePeriod = 0;  // read but not handed over
  ResetInput Reset;
  std::vector<QsoInput> HandedOver;  // in the order of the AddData0 calls
  std::vector<std::string> Where;    // each handed-over QSO's place in the log
  std::vector<bool> StoredQso;       // AddData0's answer to each: true for 1
  int Stored = 0;                    // AddData0 returned 1
  int Refused = 0;                   // AddData0 returned 0
  RefusalCounts RefusedBy;
  std::vector<ErrorProblem> Problems;      // err.txt's lines after its header
  bool ErrorFileWritten = true;            // false: err.txt holds an earlier run's lines
  std::string Summary;                     // GetResult0's text, CR LF line ends; empty if not asked
  std::string CabrilloFile;                // with --cabrillo: the file the plug-in named
  std::optional<size_t> CabrilloQsoLines;  // QSO lines in the file it wrote
  std::string DllVersion;                  // Stats.dll's FileVersion
};

// Adds the lines the plug-in wrote while handed QSO `qso` (CR LF line ends)
// to the problems, and when the QSO was refused, counts the reason they give.
void TakeErrorLines(ScoreOutcome& outcome, size_t qso, bool refused, const std::string& lines);
