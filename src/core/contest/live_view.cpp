#include "core/contest/live_view.h"

#include <cmath>

#include "core/contest/contest_rules.h"

bool FrequencyMovedForSpot(double hertz, double lastSpotHertz) {
  return std::fabs(hertz - lastSpotHertz) > 300.0;
}

std::string DistrictWindowTitle(int band, size_t workedCount) {
  std::string bandText = band == kNoBand ? "" : kDkzRules.Bands[band].Text;
  return "DKZ CNT on " + bandText + " " + std::to_string(workedCount) + "  of " +
         std::to_string(kDistrictCount);
}

std::string WorkedBeforeTitle(const std::string& contestYear, const std::string& call) {
  return "DKZ " + contestYear + " worked with " + call;
}

void ResetWorkedBeforeRows(PerBandLists& grid) {
  for (int b = 0; b < kBandCount; ++b) {
    TextList& row = grid[b];
    if (row.size() < 4)
      row = {kDkzRules.Bands[b].Text, "", "", ""};
    row[1] = "   -";
    row[2] = "   -";
    row[3] = " -";
  }
}

void FillWorkedBeforeRows(PerBandLists& grid, const QsoLog& log, const std::string& call) {
  // Runs under the state lock on every burst of keystrokes: look the station
  // up by the store's index instead of scanning the log. Every stored record
  // is a CW QSO, so the mode takes nothing away.
  for (int b = 0; b < kBandCount; ++b) {
    std::vector<size_t> same = log.FindSame(call, kDkzRules.Bands[b].Text, kDkzRules.Mode);
    if (same.empty() || grid[b].size() < 4)
      continue;
    const QsoRecord& qso = log.At(same.back());  // the last in log order
    TextList& row = grid[b];
    row[1] = FormatDateTime(qso.Time, "%H:%M");
    row[2] = qso.Mode;
    row[3] = kDkzRules.IsJapanese(qso.Prefix) ? qso.District : qso.ExchRcvd;
  }
}

std::array<int, kDistrictCount> DistrictTicks(const TextList& worked) {
  std::array<int, kDistrictCount> ticks{};
  for (const std::string& code : worked) {
    int i = kDkzRules.DistrictIndexOf(code);
    if (i >= 0)
      ticks[i] = 1;
  }
  return ticks;
}

std::array<int, kContinentCount> ContinentFlags(const TextList& worked) {
  std::array<int, kContinentCount> flags{};
  for (const std::string& continent : worked) {
    for (int c = 0; c < kContinentCount; ++c) {
      if (continent == kDkzRules.Continents[c].Text)
        flags[c] = 1;
    }
  }
  return flags;
}
