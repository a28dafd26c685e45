// The check's texts for people: each entrant's report and the list of files
// that were not checked.
#pragma once

#include <string>

#include "check/checked_contest.h"

// The rules the check applied, as every report states them.
std::string RuleText(int minutes);

// The report mailed back to entrant `e`: the period and category, the flagged
// QSOs with their evidence, QSOs of others that this log could not verify,
// who miscopied this station's call or exchange, the clock offset, the
// claimed and checked summaries, the rules.
std::string EntrantLetter(const CheckedContest& contest, int e);

// Lines that say why each flagged QSO of entrant `e` was flagged, each with
// the QSO's and the evidence's lines: "line 41: not in log: ...".
struct FlaggedQso {
  int Qso = 0;  // in the entrant's CheckLog
  std::string Why;
  std::string Line;           // the QSO's own line
  std::string EvidenceWhere;  // "W1AW line 41 (its nearest QSO with JA1ABC)"; empty for none
  std::string EvidenceLine;
};
std::vector<FlaggedQso> FlaggedQsos(const CheckedContest& contest, int e);

// Others' QSOs about this entrant: their busted calls and exchanges of it
// (they miscopied it), and those left unverified by its unreadable lines.
struct OthersQso {
  std::string Where;  // "W1AW line 41"
  std::string Why;
  std::string Line;
};
std::vector<OthersQso> OthersAbout(const CheckedContest& contest, int e);

// The period, then one line per file that was not checked: "FILE: reason".
std::string RejectedText(const CheckedContest& contest);
