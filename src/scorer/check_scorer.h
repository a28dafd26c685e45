// What the check scores each log with, made in the plug-in's working folder
// (the current folder): the loaded Stats.dll on Windows (check_scorer_win.cpp),
// natively the plug-in's own code (check_scorer_posix.cpp).
#pragma once

#include <memory>

#include "check/check_run.h"

// The scorer of one lane of the check (CheckLanes of them), made in the
// plug-in's working folder (the current folder).
std::unique_ptr<LogScorer> MakeCheckScorer(int lane);

// How many logs the check takes on side by side: one per processor where
// each lane can have a scorer of its own.
int CheckLanes();
