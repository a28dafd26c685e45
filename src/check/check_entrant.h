// One log of a contest as the check holds it: what its file said, what the
// plug-in is handed for it and answered, and the QSO lines the cross-check reads.
#pragma once

#include <string>
#include <vector>

#include "check/check_types.h"
#include "check/sponsor_table.h"
#include "check/submission.h"
#include "logs/country_file.h"
#include "logs/replay_plan.h"

enum class EntrantKind {
  kRanked,     // scored, checked and ranked
  kChecklog,   // CATEGORY-OPERATOR: CHECKLOG: evidence, never ranked
  kNotScored,  // the plug-in stored none of its QSOs: evidence only
};

struct Entrant {
  std::string File;  // as named in the contest's folder
  std::string Call;  // the station, upper case
  // Its reports are LetterName + ".txt" and ".html": safe on every system and
  // unlike every other entrant's, whatever the call.
  std::string LetterName;
  EntrantKind Kind = EntrantKind::kRanked;
  std::string NotScoredWhy;
  SubmissionHeader Header;
  bool HasCategory = false;
  Category Class;             // from the sponsor's table
  std::string CategoryFault;  // how the QSOs contradict the category; empty when they do not
  CountryMatch Country;       // of the own call; Name empty when unknown
  bool Japanese = false;
  std::string District;          // a Japanese entrant's: the district code it sent most
  size_t QsosRead = 0;           // QSO lines the reader took
  size_t EvidenceOnlyLines = 0;  // read only leniently, or X-QSO lines
  int UnreadableLines = 0;
  std::vector<std::string> Notes;  // records left out, calls without a country
  // The QSOs of the period, as handed to the plug-in: held only while the
  // entrant's passes and reports are made.
  ReplayPlan Plan;
  size_t PlannedQsos = 0;
  std::vector<int> Stored;  // planned QSOs the plug-in stored
  // Per QSO of the entrant's CheckLog: its planned QSO, or -1 for one never handed over.
  std::vector<int> PlanOf;
  std::string ClaimedSummary;  // GetResult0 after the whole log
  std::string CheckedSummary;  // GetResult0 after the QSOs the check kept
  int CheckedQsos = 0;
};

// The report's base name for a call: letters, digits and '-' kept, '/' and all
// else '_', at most kLongestCall long, never a name Windows keeps for a device.
std::string LetterNameOf(const std::string& call);

// NIL, busted call and busted exchange: taken out of the checked score.
bool TakenOut(Verdict verdict);

// The planned QSOs that make the checked score: those stored and judged, less those taken out.
std::vector<int> KeptByCheck(const Entrant& entrant, const CheckLog& log,
                             const LogFindings& findings);

// The QSO as a line of the plug-in's Cabrillo export, without its line end.
std::string ShownLine(const LogQso& qso, const std::string& ownCall);
std::string ShownLine(const CheckQso& qso, const std::string& ownCall);
