// GetResult0's summary text read back into its table.
#pragma once

#include <string>

#include "report_facts.h"

// Rows are "band<TAB> n<TAB> n..." after the title, contestant and heading
// lines, then "Total" and "Score". Lines of another shape are passed over.
SummaryTable ParseSummaryTable(const std::string& text);
