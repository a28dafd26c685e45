// The robot's answers to scripts: receipts, refusals, the logs received.
#pragma once

#include <string>
#include <vector>

#include "robot/contest_settings.h"
#include "robot/log_validation.h"
#include "robot/robot_check.h"
#include "robot/submission_db.h"

// id, call, received, deadline, late, sha256, size, file_name, format,
// lines_read, lines_unreadable, category, category_text, claimed_score,
// computed_score, warnings, counts, superseded_by, held, held_why, accepted,
// receipt, history; resubmission_key last, when `key` is given (the answer
// to the upload alone).
std::string ReceiptJson(const SubmissionRow& row, const RobotSettings& settings,
                        const std::string& key = "");

// {"refused": true, "reasons": [...], "warnings": [...]}
std::string RefusalJson(const LogVerdict& verdict);

// {"error": message}
std::string ErrorJson(const std::string& message);

// {"logs": [{id, call, category, category_text, received, late}, ...],
//  "missing": [{call, logs}, ...], "deadline": ...}
std::string LogsJson(const std::vector<SubmissionRow>& current,
                     const std::vector<MissingCall>& missing, const RobotSettings& settings);

// {"ranked": ..., "not_checked": ..., "left_out": [...], "period": ..., "results": ...}
std::string CheckRunJson(const RobotCheckRun& run);

// {"call": ..., "submissions": [receipt, ...]} newest first, each with
// warning_count in place of its warnings (they are on its receipt).
std::string HistoryJson(const std::string& call, const std::vector<SubmissionRow>& rows,
                        const RobotSettings& settings);
