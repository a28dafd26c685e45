// AddData0: judges one QSO against the contest rules and stores it.
#pragma once

#include <cstddef>
#include <string>

#include "core/engine/contest_state.h"
#include "core/engine/host_input.h"

// The most "DUPE" lines one QSO writes: one per earlier record of the same
// station, band and mode up to this many.
constexpr size_t kMaxDupeLinesPerQso = 10;

// Appends one err.txt line (CR LF ended) to `errorLines` per problem found.
// Returns 1 when the QSO was stored, counting or not; 0 when it was refused
// (a refused band, a mode other than the contest's, an empty exchange).
int AcceptQso(ContestState& state, const QsoInput& qso, std::string& errorLines);
