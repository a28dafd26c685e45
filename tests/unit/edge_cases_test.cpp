// Slips at the edges of the scoring core that a pass over a real log never
// reaches: each row is one, and fails when it is made.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

#include "core/engine/acceptance.h"
#include "core/engine/removal.h"
#include "core/engine/summary.h"
#include "scoring_input.h"

namespace {

// The exchange received of what is left after adding QSOs with these
// exchanges, otherwise identical, and removing the one with `removed`.
std::string LeftAfterRemoving(std::initializer_list<const char*> added, const char* removed) {
  ContestState state;
  state.OwnPrefix = "JA";
  std::string lines;
  for (const char* exchange : added)
    AcceptQso(state, Qso("JA2AAA", exchange), lines);
  RemoveQso(state, Qso("JA2AAA", removed));
  std::string left;
  for (size_t i = 0; i < state.Log.Count(); ++i)
    left += (left.empty() ? "" : " ") + state.Log.At(i).ExchRcvd;
  return left;
}

// Past the plug-in's exchange sort's limit: texts whose padded forms are
// equal ("m", "0m", "00m") keep the order they came in.
std::string SortedManyBands() {
  TextList bands;
  const char* const cycle[] = {"m", "40m", "0m", "10m", "00m"};
  for (int i = 0; i < 2100; ++i)
    bands.push_back(cycle[i % 5]);
  SortLogBands(bands);
  std::string equalKeys;
  for (size_t i = 840; i < bands.size() && equalKeys.size() < 24; ++i)
    equalKeys += bands[i] + " ";
  return bands[0] + " " + bands[420] + " | " + equalKeys;
}

TEST(EdgeCases, HoldExactlyAtTheirValues) {
  const struct {
    const char* Slip;
    std::function<std::string()> Actual;
    std::string Expected;
  } rows[] = {
      {"removal by exact match ignores the received exchange",
       [] {
         return LeftAfterRemoving({"AC", "TK"}, "TK");
       },
       "AC"},
      {"the score cap is not the largest 32-bit value",
       [] { return std::to_string(ClaimedScoreOf(INT32_MAX, 1)); }, "2147483647"},
      {"the score cap lets a larger score through",
       [] { return std::to_string(ClaimedScoreOf(1LL << 31, 1)); }, "2147483647"},
      {"the score cap cuts below it",
       [] { return std::to_string(ClaimedScoreOf(INT32_MAX / 3, 3)); }, "2147483646"},
      {"the band sort does not keep equal keys in order", SortedManyBands,
       "40m 10m | m 0m 00m m 0m 00m m 0m 00m "},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.Actual(), row.Expected) << row.Slip;
}

}  // namespace
