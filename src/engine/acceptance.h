// AddData0: judges one QSO against the contest rules and stores it.
#pragma once

#include <string>

#include "engine/contest_state.h"
#include "engine/host_input.h"

// Appends one err.txt line (CR LF ended) to `errorLines` per problem found.
// Returns 1 when the QSO was stored, counting or not; 0 when it was refused
// (non-contest band, mode other than CW, an empty exchange).
int AcceptQso(ContestState& state, const QsoInput& qso, std::string& errorLines);
