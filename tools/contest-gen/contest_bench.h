// Times the cross-check on generated contests of a given size and prints the
// figures, with the comparison against the truth.
#pragma once

#include <ostream>

#include "contest_world.h"

// Returns false when a check disagreed with the truth.
bool RunCheckBench(const WorldOptions& base, std::ostream& out);
