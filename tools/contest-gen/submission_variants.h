// A generated contest as a sponsor receives it: some entrants' files written
// the ways real logging programs and people write them (times with a colon,
// frequencies in MHz, QSOs in another mode, another contest's header, a
// checklog, an earlier and a fake submission, QSOs outside the period, lines
// nobody can read). The QSOs stay those of the generated world, so every NIL
// the check finds beyond the world's truth is a false one.
#pragma once

#include <string>
#include <vector>

#include "contest_world.h"

// What was done to which log (by its index in the contest), and the file.
struct SubmissionVariant {
  std::string Kind;  // "colon_times_mhz", "short_times_khz", "some_phone", "all_phone",
                     // "other_contest", "checklog", "resubmitted", "fake_older",
                     // "late_qsos", "other_year", "unreadable_lines"
  int Log = -1;
  std::string File;
  int Lines = 0;  // QSO lines the variant touched (phone, late, unreadable), or copied
};

// Writes every log of the contest into `folder` (which must not exist), the
// variants among them, and returns the variants. Files are dated an hour
// apart in name order, except that an earlier submission is an hour older than
// the log it was replaced by. Throws WriteError.
std::vector<SubmissionVariant> WriteSubmissionVariants(const GeneratedContest& contest,
                                                       const std::string& folder);
