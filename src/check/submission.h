// A file of the contest's folder as received, read once: its header, the
// QSOs the plug-in's readers take, and every other QSO line that can be read
// as evidence that a QSO took place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "check/sponsor_table.h"
#include "logs/log_qso.h"

struct SubmissionHeader {
  std::string Contest;  // CONTEST: or CONTEST_ID, upper case; empty when the file has none
  CategoryHeaders Categories;
  std::string ClaimedScore;  // CLAIMED-SCORE: as written
  std::vector<std::string> Soapbox;
};

struct Submission {
  std::string File;  // its name in the folder
  SubmissionHeader Header;
  LogContents Log;  // as the readers take it: what the plug-in is handed
  // QSO lines the reader left out that could be read leniently, and X-QSO
  // lines: evidence only, never scored for this log.
  std::vector<LogQso> MoreEvidence;
  int UnreadableLines = 0;  // QSO lines read neither way
  std::string Call;         // the station: the header's call, else the QSOs' own call
};

// Throws InputError when the file cannot be read as a log at all.
Submission ReadSubmission(const std::string& file, const std::string& bytes);

// QSO lines of the file that show a QSO: the reader's and the evidence.
inline size_t EvidenceCount(const Submission& s) {
  return s.Log.Qsos.size() + s.MoreEvidence.size();
}
