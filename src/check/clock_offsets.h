// A wrong PC clock shows as every QSO of a log standing the same time away
// from the other logs' records of it. The offset is found and taken out before
// QSOs are matched, instead of the whole log becoming "not in log".
#pragma once

#include <cstdint>
#include <vector>

#include "check/check_types.h"
#include "check/qso_index.h"

// Per log: its clock minus the common clock, or 0 when no clear, constant offset
// shows. Leaves the index on the common clock.
std::vector<int64_t> FindClockOffsets(QsoIndex& index, const std::vector<CheckLog>& logs,
                                      const CheckOptions& options);
