// RemoveData0: withdraws a QSO that the host deleted.
#pragma once

#include "core/engine/contest_state.h"
#include "core/engine/host_input.h"

// Removes the stored record that matches the QSO: among the records with its
// callsign, band and mode, the first whose time, frequency and exchanges also
// match, else the first of them. Afterwards the earliest remaining record of
// that station counts again (unless it is worth 0 points), and a district
// leaves the band's list only when no counting record on the band carries it.
// Returns 0 for an empty exchange (such a QSO is never stored), else 1.
int RemoveQso(ContestState& state, const QsoInput& qso);
