// The live update: what the district window does each time its timer fires.
// The state lock is held only while computing; every host call and every
// window call happens outside it.
#include <algorithm>
#include <array>

#include "contest/live_view.h"
#include "contest/rules.h"
#include "engine/contest_state.h"
#include "live/district_window.h"
#include "live/live_state.h"
#include "live/live_windows.h"

void oblast::LiveUpdate() {
  bool japanese;
  {
    StateGuard guard(StateLock());
    japanese = IsJapanese(CurrentContest().OwnPrefix);
  }
  if (japanese && ContinentWindow.load() == nullptr)
    CreateContinentWindow();

  if (Abandoned(AttachForWindows(host_)))
    return;
  // With no host at all the update goes on with an empty entry and no band.
  std::string entry;
  if (Abandoned(host_.GetEntryText(5, entry)))
    return;

  std::string contestYear;
  {
    StateGuard guard(StateLock());
    Live().EnteredCall = entry;
    if (IsShortEntry(entry))
      return;  // the operator has only begun to type
    ContestState& state = CurrentContest();
    ResetWorkedBeforeRows(state.WorkedBeforeGrid);
    if (!entry.empty())
      FillWorkedBeforeRows(state.WorkedBeforeGrid, state.QsoLog, entry);
    contestYear = state.ContestYear;
  }
  if (!entry.empty()) {
    if (WorkedBeforeWindow.load() == nullptr)
      CreateWorkedBeforeWindow();
    SetWorkedBeforeTitle(WorkedBeforeTitle(contestYear, entry));
  }

  double hertz = 0.0;
  HostCall frequency = host_.GetFrequency(hertz);
  if (Abandoned(frequency))
    return;
  int band = kNoBand;
  if (frequency == HostCall::kDone) {
    double lastSpot;
    {
      StateGuard guard(StateLock());
      lastSpot = Live().LastSpotFrequency;
    }
    if (FrequencyMovedForSpot(hertz, lastSpot)) {
      if (Abandoned(host_.RunMacro("<SP1>")))
        return;
      StateGuard guard(StateLock());
      Live().LastSpotFrequency = hertz;
    }
    band = BandIndexOfFrequency(hertz);
  }

  size_t workedCount = 0;
  std::array<int, kDistrictCount> ticks{};
  std::array<int, 6> continents{};
  {
    StateGuard guard(StateLock());
    const ContestState& state = CurrentContest();
    Live().CurrentBand = band;
    if (band != kNoBand) {
      workedCount = state.DistrictsByBand[band].size();
      ticks = DistrictTicks(state.DistrictsByBand[band]);
      continents = ContinentFlags(state.ContinentsByBand[band]);
    }
  }
  SetWindowTextA(Handle(), DistrictWindowTitle(band, workedCount).c_str());
  std::copy(ticks.begin(), ticks.end(), DistrictChecks);
  if (WorkedBeforeWindow.load() != nullptr)
    InvalidateWorkedBeforeList();
  UpdateData(false);
  if (ContinentWindow.load() != nullptr)
    RefreshContinentWindow(continents.data());
}
