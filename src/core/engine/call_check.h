// CheckCall0: what a callsign being typed would be.
#pragma once

#include "core/engine/contest_state.h"
#include "core/engine/host_input.h"

// 0: a duplicate (same callsign, band and mode already stored). Otherwise 1
// when a station of that continent was worked on that band already, else 2;
// the same rule for every operator.
int CheckCall(const ContestState& state, const CallCheckInput& input);
