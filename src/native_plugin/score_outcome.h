// What a dkz-score run found: what was read and handed over, what the
// plug-in answered and wrote to err.txt, and what the operator should know of it.
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
  // No fault: a code the plug-in does not take from a station outside Japan
  // whose QSO still counts. Set by SortOutNotes.
  bool Note = false;
};

// Why Stats.dll refused QSOs, as it said in err.txt.
struct RefusalCounts {
  int Band = 0;
  int Mode = 0;
  int NoExchange = 0;
  int NotSaid = 0;  // err.txt said nothing we know (or was not written)
};

struct ScoreOutcome {
  std::string LogName;     // as the user named it
  std::string Format;      // "ADIF" or "Cabrillo"
  std::string LogContest;  // the contest the log names (Cabrillo CONTEST:, ADIF CONTEST_ID)
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
  std::string CountryFile;                 // the country file read, full path
};

// Adds the lines the plug-in wrote while handed QSO `qso` (CR LF line ends)
// to the problems, and when the QSO was refused, counts the reason they give.
void TakeErrorLines(ScoreOutcome& outcome, size_t qso, bool refused, const std::string& lines);

// Marks the lines of err.txt that are notes rather than problems; call it
// once all QSOs were handed over.
void SortOutNotes(ScoreOutcome& outcome);

// Which handed-over QSOs count: stored, and err.txt calls them neither a
// dupe nor worth 0 points.
std::vector<bool> CountingQsos(const ScoreOutcome& outcome);

// What the operator should read before the numbers: the log names another
// contest, no QSO is with the stations that score, or nothing scores.
std::vector<std::string> RunWarnings(const ScoreOutcome& outcome);

// For a Japanese operator: the counting QSOs without a continent, one line a
// band, each naming the calls; the plug-in counts the empty continent as a
// continent multiplier of its own.
std::vector<std::string> NoContinentNotes(const ScoreOutcome& outcome);

// "1 QSO", "3 QSOs": a count and its noun.
std::string CountOf(size_t n, const char* one, const char* many);
