#include "truth_comparison.h"

#include <cstdio>
#include <cstdlib>

namespace {

const size_t kDifferencesKept = 20;

std::string Percent(int part, int whole) {
  if (whole == 0)
    return "     -";
  char text[16];
  std::snprintf(text, sizeof text, "%5.1f%%", 100.0 * part / whole);
  return text;
}

}  // namespace

TruthComparison CompareWithTruth(const GeneratedContest& contest,
                                 const std::vector<LogFindings>& findings) {
  TruthComparison result;
  result.Logs = static_cast<int>(contest.Logs.size());
  for (size_t l = 0; l < contest.Logs.size(); ++l) {
    int64_t offset = findings[l].ClockOffsetSeconds;
    if (std::llabs(offset - contest.WrongClock[l]) <= 60)
      ++result.ClocksRight;
    else if (result.Differences.size() < kDifferencesKept)
      result.Differences.push_back(contest.Logs[l].Log.Call + ": clock offset " +
                                   std::to_string(offset) + " s, built in " +
                                   std::to_string(contest.WrongClock[l]) + " s");
    for (size_t q = 0; q < contest.Expected[l].size(); ++q) {
      Verdict expected = contest.Expected[l][q];
      Verdict found = findings[l].Qsos[q].Kind;
      ++result.Qsos;
      ++result.Kinds[static_cast<int>(expected)].Expected;
      ++result.Kinds[static_cast<int>(found)].Found;
      if (expected == found)
        ++result.Kinds[static_cast<int>(found)].Agreed;
      else if (result.Differences.size() < kDifferencesKept)
        result.Differences.push_back(
            contest.Logs[l].Log.Call + " line " + std::to_string(contest.Logs[l].Log.Qsos[q].Line) +
            ": expected " + VerdictName(expected) + ", found " + VerdictName(found));
    }
  }
  return result;
}

std::string ComparisonTable(const TruthComparison& comparison) {
  std::string table = "verdict           expected   found  recall  precision\n";
  for (int k = 0; k < kVerdictCount; ++k) {
    const KindTally& t = comparison.Kinds[k];
    char row[96];
    std::snprintf(row, sizeof row, "%-16s %9d %7d  %s     %s\n",
                  VerdictName(static_cast<Verdict>(k)), t.Expected, t.Found,
                  Percent(t.Agreed, t.Expected).c_str(), Percent(t.Agreed, t.Found).c_str());
    table += row;
  }
  table += "clock offsets right: " + std::to_string(comparison.ClocksRight) + " of " +
           std::to_string(comparison.Logs) + " logs\n";
  return table;
}
