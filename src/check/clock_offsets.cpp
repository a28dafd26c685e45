#include "check/clock_offsets.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Own time less the other log's time (both as corrected so far), for each QSO
// found in the other log within the widest window: the nearest on the same band.
std::vector<int64_t> Differences(const QsoIndex& index, int log, int qsoCount,
                                 const CheckOptions& options) {
  std::vector<int64_t> differences;
  for (int q = 0; q < qsoCount; ++q) {
    const IndexEntry& own = index.EntryOf({log, q});
    if (!index.HasLog(own.Worked) || own.Worked == own.Own)
      continue;
    int64_t time = own.Time;
    const IndexEntry* nearest = NearestInTime(
        index.Near(own.Worked, own.Own, own.Band, time, options.MaxClockOffsetSeconds), time);
    if (nearest)
      differences.push_back(time - nearest->Time);
  }
  return differences;
}

// The median difference, when enough QSOs show it, three in four of them agree
// with it within the tolerance, and it is too large to be minute rounding.
int64_t ConstantOffset(std::vector<int64_t> differences, const CheckOptions& options) {
  if (static_cast<int>(differences.size()) < options.MinOffsetPairs)
    return 0;
  auto middle = differences.begin() + differences.size() / 2;
  std::nth_element(differences.begin(), middle, differences.end());
  int64_t median = *middle;
  if (2 * std::llabs(median) <= options.ToleranceSeconds)
    return 0;
  auto agrees = [&](int64_t d) { return std::llabs(d - median) <= options.ToleranceSeconds; };
  size_t agreeing = std::count_if(differences.begin(), differences.end(), agrees);
  return 4 * agreeing >= 3 * differences.size() ? median : 0;
}

}  // namespace

std::vector<int64_t> FindClockOffsets(QsoIndex& index, const std::vector<CheckLog>& logs,
                                      const CheckOptions& options) {
  std::vector<int64_t> offsets(logs.size(), 0);
  // A second round measures every log against the others' corrected clocks, so
  // that a log's partners no longer see the wrong clock of a log they worked.
  for (int round = 0; round < 2; ++round) {
    std::vector<int64_t> next(logs.size(), 0);
    for (size_t l = 0; l < logs.size(); ++l) {
      int qsoCount = static_cast<int>(logs[l].Qsos.size());
      std::vector<int64_t> differences = Differences(index, static_cast<int>(l), qsoCount, options);
      next[l] = offsets[l] + ConstantOffset(std::move(differences), options);
    }
    offsets = next;
    index.SetClockOffsets(offsets);
  }
  return offsets;
}
