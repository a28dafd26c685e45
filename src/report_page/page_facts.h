// What the report page shows, as plain values: the plug-in's summary, the
// QSOs of the run with the plug-in's verdict on each, err.txt's lines and
// what was left out. Filled by dkz-score; the page only lays it out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One row of GetResult0's table ("160m", "Total") and its numbers, in the
// order of the table's columns.
struct SummaryRow {
  std::string Band;
  std::vector<long long> Values;
};

// Where the plug-in's columns stand: QSOs, points, districts ("County") and,
// for a Japanese operator only, continents ("Cont").
enum SummaryColumn { kQsosColumn, kPointsColumn, kDistrictsColumn, kContinentsColumn };

struct SummaryTable {
  std::string Title;  // "DKZ CONTEST 10.06-11.06.2023"
  std::string Contestant;
  std::vector<std::string> Columns;  // the heading's names, lower case: "qsos", "points", ...
  std::vector<SummaryRow> Bands;
  std::optional<SummaryRow> Total;
  std::optional<long long> Score;

  bool Japanese() const { return Columns.size() > kContinentsColumn; }
};

// A row's number in `column`; 0 when the row has none there.
inline long long ValueIn(const SummaryRow& row, SummaryColumn column) {
  return static_cast<size_t>(column) < row.Values.size() ? row.Values[column] : 0;
}

// A QSO handed to the plug-in, with what it made of it.
struct PageQso {
  int64_t Minute = 0;  // UTC, minutes since 1899-12-30
  std::string Band;
  std::string District;   // the code the plug-in took as a district, or empty
  std::string Continent;  // as handed over
  bool Stored = false;    // AddData0 took it
  bool Counts = false;    // stored, and err.txt calls it neither a dupe nor worth 0 points
};

// One line of err.txt. `Kind` is its message without the "!!!"; `Note` marks
// the lines that are no fault: a code the plug-in does not take from a
// station outside Japan whose QSO still counts.
struct ProblemLine {
  std::string Kind;
  std::string Line;
  bool Note = false;
};

struct LeftOutCount {
  std::string What;  // "refused by the plug-in"
  size_t Count = 0;
};

struct PageFacts {
  // What the operator should read first: another contest's log, no QSO with
  // the stations that score, nothing scored.
  std::vector<std::string> Warnings;
  std::string LogName;
  std::string OwnCall;  // the run's, for a page without the plug-in's summary
  SummaryTable Summary;
  int64_t PeriodStartMinute = 0;  // first minute of the contest
  int64_t PeriodEndMinute = 0;    // the minute after its last
  std::vector<PageQso> Qsos;      // in log order
  std::vector<ProblemLine> Problems;
  std::vector<LeftOutCount> LeftOut;
  // The counting QSOs without a continent, one line a band: they add the
  // continent grid's "(none)" row.
  std::vector<std::string> NoContinentNotes;
};
