// results.html: the page the sponsor publishes. One self-contained file
// (inline CSS, no script, nothing fetched; links only to the entrants' pages
// beside it): the ranking by category for Japan and for the world, by
// continent, by Japanese district and by country, claimed and checked scores
// side by side with the error rate, the checklogs, the logs not checked, and
// the soapbox.
#pragma once

#include <string>

#include "check/checked_contest.h"

std::string ResultsPage(const CheckedContest& contest);
