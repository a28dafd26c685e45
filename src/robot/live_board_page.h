// The live board as a page (no script: it refreshes itself with a meta
// refresh) and as JSON, both at the moment `now` (UTC seconds).
#pragma once

#include <cstdint>
#include <string>

#include "robot/live_board.h"

std::string LiveBoardPage(const LiveBoard& board, int64_t now);
std::string LiveBoardJson(const LiveBoard& board, int64_t now);

// The sponsor's decision on a call: {"call": ..., "blocked": true}
std::string BlockedCallJson(const std::string& call, bool blocked);
