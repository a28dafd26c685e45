// GetResult0's score summary: the per-band table and the claimed score.
#pragma once

#include "core/engine/contest_state.h"

// Sorts band texts in place into band order ("160m", "80m", ... "10m"):
// descending by the text padded with leading "0"s to 20 characters.
void SortLogBands(TextList& bands);

// The claimed score of `points` and `multipliers` by the rules' formula: a
// score beyond 32 bits (never seen in a real log) is the largest 32-bit value.
int32_t ClaimedScoreOf(long long points, long long multipliers,
                       const ContestRules& rules = kDkzRules);

// Recounts the whole store. Sorts LogBands, sets SummaryText, its numbers
// (Tally) and ClaimedScore, and rebuilds DistrictsByBand and ContinentsByBand
// for the listed contest bands (ContinentsByBand stays empty unless the operator's continents
// multiply). Points, multipliers and score are the rules' (state.Rules).
void BuildSummary(ContestState& state);
