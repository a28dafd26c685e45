// GetResult0's summary text read back into its table: the one reading of it
// that the JSON output and the report page share.
#pragma once

#include <string>

#include "report_page/page_facts.h"

// A title, "\tContestant: CALL", the heading "\tQSOs\tPoints...", one row per
// band ("160m\t 30\t 78\t 14\t 5"), "Total" and "Score". Empty text: an empty table.
SummaryTable ParseSummaryTable(const std::string& text);
