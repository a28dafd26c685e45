// Figures of a checked contest that more than one of its outputs shows.
#pragma once

#include <string>
#include <vector>

#include "check/checked_contest.h"

struct VerdictCounts {
  int Of[kVerdictCount] = {};
  int operator[](Verdict v) const { return Of[static_cast<int>(v)]; }
};

VerdictCounts CountVerdicts(const LogFindings& findings);

// The score on the last line of GetResult0's summary ("Score\t 1234"); throws
// std::runtime_error when the summary has none.
long long ScoreOfSummary(const std::string& summary);

// QSOs held against a log the other station sent: confirmed, busted or not in
// log, or in another mode there.
int VerifiableQsos(const VerdictCounts& n);
// NIL, busted calls and busted exchanges per 100 verifiable QSOs: "1.5"; "" for none.
std::string ErrorRate(const VerdictCounts& n);

// The ranked entrants, highest checked score first, then by call.
std::vector<int> RankedOrder(const CheckedContest& contest);

// "W1AW line 41": where a QSO of the contest stands.
std::string Where(const CheckedContest& contest, QsoRef ref);

// The QSO as a line of the plug-in's Cabrillo export.
std::string ShownLineOf(const CheckedContest& contest, QsoRef ref);

// "2026-06-13 12:05" of a QSO as its log has it.
std::string QsoTimeText(const CheckQso& qso);
