// The robot's pages: no script, one stylesheet of its own, every text that
// came from a sender escaped by the report page's escaper.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "robot/contest_settings.h"
#include "robot/log_validation.h"
#include "robot/submission_db.h"

extern const char* const kRobotStyleSheet;

std::string UploadPage(const RobotSettings& settings);
// `key`: the call's resubmission key, when the one who asks has shown it: only
// the sender of the upload, right after it.
std::string ReceiptPage(const SubmissionRow& row, const RobotSettings& settings,
                        const std::string& key);
std::string RefusalPage(const LogVerdict& verdict);
std::string ReceivedPage(const std::vector<SubmissionRow>& current,
                         const std::vector<MissingCall>& missing, const RobotSettings& settings);
std::string HistoryPage(const std::string& call, const std::vector<SubmissionRow>& rows);
// `held`: the logs held for the sponsor; `damaged`: a line for each log whose
// stored file was found not whole.
std::string SponsorPage(const std::vector<SubmissionRow>& held,
                        const std::vector<std::string>& damaged);
// The published results: the check run's index page, or that there is none yet.
std::string NoResultsPage();
std::string MessagePage(const std::string& title, const std::string& message);

// Common frame of every page; `head` goes into its head.
std::string RobotPage(const std::string& title, const std::string& body,
                      const std::string& head = "");
