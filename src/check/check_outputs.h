// What the check writes into its results folder, by file name: the published
// page, the tables, the files not checked, the sponsor's table, and each
// entrant's letter and page. Text only: `dkz-score check` and the log robot
// write the files, each in its own way.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "checked_contest.h"
#include "sponsor_table.h"

// The page the sponsor publishes.
extern const char* const kResultsPageName;  // "results.html"

// The names the check writes whatever the logs, results.html among them.
std::vector<std::string> FixedOutputNames();

// Names each entrant's letter and page apart from the fixed names and from
// `taken` (names of the caller's own in the folder), then lays out every
// output, the fixed ones first.
std::vector<std::pair<std::string, std::string>> CheckOutputs(
    CheckedContest& contest, const SponsorTable& table, const std::vector<std::string>& taken);
