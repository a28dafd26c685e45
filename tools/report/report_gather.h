// The facts of a run, from what went into the plug-in and what came out.
#pragma once

#include <string>
#include <vector>

#include "engine/host_input.h"
#include "report_facts.h"

// `qsos` are the AddData0 calls in order and `stored` their answers (true: 1);
// `errText` is err.txt as the plug-in left it and `summaryText` GetResult0's
// answer. Each err.txt line belongs to the QSO whose line head it starts with,
// the first such from the previous line's QSO on (the plug-in writes them in
// log order). Log name and left-out counts are the caller's to add.
ReportFacts GatherReportFacts(const ResetInput& reset, const std::vector<QsoInput>& qsos,
                              const std::vector<bool>& stored, const std::string& errText,
                              const std::string& summaryText);
