// What the check writes: the results table, the findings, the rejected logs and
// the letter back to each entrant. Text only; the command writes the files.
#pragma once

#include <string>
#include <vector>

#include "check_entrant.h"
#include "check_types.h"

// A whole contest after the check: Logs and Findings run parallel to Entrants.
struct CheckedContest {
  std::vector<Entrant> Entrants;
  std::vector<CheckLog> Logs;
  std::vector<LogFindings> Findings;
  int Minutes = 3;
};

struct Rejection {
  std::string File;
  std::string Reason;
};

// The rules the check applied, as every letter states them.
std::string RuleText(int minutes);

// The score on the last line of GetResult0's summary ("Score\t 1234"); throws
// std::runtime_error when the summary has none.
long long ScoreOfSummary(const std::string& summary);

// One row per log, highest checked score first, under the header line
// call,logged_qsos,claimed_score,checked_qsos,checked_score,nil,busted_call,busted_exchange,unique
std::string ResultsCsv(const CheckedContest& contest);

// Every QSO the check did not confirm (call,line,verdict,detail; the detail
// names the other log's line), and a row per log whose clock was found off
// (verdict clock_offset, detail "600 s"), in the shape of the generator's truth.
std::string FindingsCsv(const CheckedContest& contest);

// The letter mailed back to the entrant `e`: the flagged QSOs with their
// evidence, the clock offset, the claimed and checked summaries, the rules.
std::string EntrantLetter(const CheckedContest& contest, int e);

// One line per log that could not be read: "FILE: reason".
std::string RejectedText(const std::vector<Rejection>& rejected);
