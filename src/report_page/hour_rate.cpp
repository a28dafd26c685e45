#include "report_page/hour_rate.h"

#include <algorithm>

HourRate BuildHourRate(const PageFacts& facts) {
  HourRate rate;
  rate.FirstMinute = facts.PeriodStartMinute;
  int64_t minutes = std::max<int64_t>(0, facts.PeriodEndMinute - facts.PeriodStartMinute);
  rate.Hours.resize(static_cast<size_t>((minutes + 59) / 60));
  std::vector<int64_t> times;
  for (const PageQso& qso : facts.Qsos) {
    int band = kDkzRules.BandIndexOf(qso.Band);
    int64_t offset = qso.Minute - facts.PeriodStartMinute;
    if (!qso.Stored || band == kNoBand || offset < 0 || offset >= minutes)
      continue;
    ++rate.Hours[static_cast<size_t>(offset / 60)][band];
    times.push_back(qso.Minute);
  }
  // Every window worth naming starts at a QSO.
  std::sort(times.begin(), times.end());
  size_t end = 0;
  for (size_t start = 0; start < times.size(); ++start) {
    while (end < times.size() && times[end] < times[start] + 60)
      ++end;
    if (end - start > rate.BestCount) {
      rate.BestCount = end - start;
      rate.BestStartMinute = times[start];
    }
  }
  return rate;
}
