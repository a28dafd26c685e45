// One log of a contest as the check holds it: what the plug-in is handed for
// it, what it answered, and the QSOs the cross-check reads.
#pragma once

#include <string>
#include <vector>

#include "check_types.h"
#include "country_file.h"
#include "log_qso.h"
#include "replay_plan.h"

struct Entrant {
  std::string File;        // as named in the contest's folder
  std::string LetterName;  // of the letter back to the entrant: "JA1ABC.txt"
  size_t QsosRead = 0;
  std::vector<std::string> Notes;  // records left out, calls without a country
  ReplayPlan Plan;
  std::vector<int> Lines;  // per planned QSO: where it stands in the file
  // Planned QSOs the plug-in stored: only these are cross-checked, so that band
  // and mode refusals stay the plug-in's.
  std::vector<int> Stored;
  std::string ClaimedSummary;  // GetResult0 after the whole log
  std::string CheckedSummary;  // GetResult0 after the QSOs the check kept
  int CheckedQsos = 0;
};

// Throws InputError when the log cannot be scored (no QSO, no own call, an own
// call of no known country).
Entrant MakeEntrant(const std::string& file, const LogContents& log, const CountryFile& countries);

// The letter's file name for a call, by the rule of the plug-in's Cabrillo export.
std::string LetterNameOf(const std::string& call);

// The stored QSOs in the form the cross-check reads, in the order of `Stored`.
CheckLog CheckLogOf(const Entrant& entrant);

// NIL, busted call and busted exchange: taken out of the checked score.
bool TakenOut(Verdict verdict);

// The planned QSOs that make the checked score: those stored, less those taken out.
std::vector<int> KeptByCheck(const Entrant& entrant, const LogFindings& findings);
