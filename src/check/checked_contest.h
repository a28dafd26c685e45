// A whole contest after the check: every file received and what became of
// it, the logs checked, and what the cross-check found in each.
#pragma once

#include <string>
#include <vector>

#include "check/check_entrant.h"
#include "check/check_types.h"
#include "check/contest_period.h"

enum class ReceiptStatus { kChecked, kChecklog, kNotScored, kRejected, kSuperseded };

// "checked", "checklog", "not_scored", "rejected", "superseded".
const char* ReceiptStatusName(ReceiptStatus status);

// One file of the contest's folder.
struct Receipt {
  std::string File;
  std::string Call;  // as the file names it; empty when it could not be read
  ReceiptStatus Status = ReceiptStatus::kRejected;
  std::string Reason;       // rejected: why; superseded: by which file; not scored: why
  size_t LinesRead = 0;     // QSO lines the reader took
  size_t EvidenceOnly = 0;  // QSO lines read only as evidence
  int Unreadable = 0;
  SubmissionHeader Header;
  int Entrant = -1;  // index into CheckedContest::Entrants
};

struct CheckedContest {
  ContestPeriod Period;
  int Minutes = 3;
  std::vector<Receipt> Received;  // in the folder's name order
  // Entrants, Logs and Findings run parallel.
  std::vector<Entrant> Entrants;
  std::vector<CheckLog> Logs;
  std::vector<LogFindings> Findings;
  // Per log: the QSOs of others that are about it (their busted calls and
  // exchanges of its station, and those its unreadable lines leave unverified).
  std::vector<std::vector<QsoRef>> About;
};

// Fills About from the findings, in one pass over every QSO.
void FindWhatIsAboutEachLog(CheckedContest& contest);
