// Each entrant's report as a page beside its text: the operator's report page
// of the log (what dkz-score score --report shows), then what the check found:
// the flagged QSOs with their evidence, and who miscopied this station's call
// or exchange. Self-contained as the report page is.
#pragma once

#include <string>

#include "check/checked_contest.h"

std::string EntrantPage(const CheckedContest& contest, int e);
