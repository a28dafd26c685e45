// The live update: what the district window does each time its timer fires.
// The state lock is held only while computing; every host call and every
// window call happens outside it.
#include <algorithm>
#include <array>

#include "core/contest/live_view.h"
#include "core/contest/rules.h"
#include "core/engine/contest_state.h"
#include "plugin/live/district_window.h"
#include "plugin/live/live_state.h"
#include "plugin/live/live_windows.h"

void oblast::LiveUpdate() {
  const bool japanese =
      WithState([](const ContestState& state) { return IsJapanese(state.OwnPrefix); });
  if (japanese && ContinentWindow.load() == nullptr)
    CreateContinentWindow();

  if (Abandoned(AttachForWindows(host_)))
    return;
  // With no host at all the update goes on with an empty entry and no band.
  std::string entry;
  if (Abandoned(host_.GetEntryText(5, entry)))
    return;

  std::string contestYear;
  const bool begunOnly = WithLock([&](const LockHeld& held) {
    Live(held).EnteredCall = entry;
    if (IsShortEntry(entry))
      return true;  // the operator has only begun to type
    ContestState& state = TheContest(held);
    ResetWorkedBeforeRows(state.WorkedBeforeGrid);
    if (!entry.empty())
      FillWorkedBeforeRows(state.WorkedBeforeGrid, state.QsoLog, entry);
    contestYear = state.ContestYear;
    return false;
  });
  if (begunOnly)
    return;
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
    const double lastSpot = WithLive([](const LiveState& live) { return live.LastSpotFrequency; });
    if (FrequencyMovedForSpot(hertz, lastSpot)) {
      if (Abandoned(host_.RunMacro("<SP1>")))
        return;
      WithLive([&](LiveState& live) { live.LastSpotFrequency = hertz; });
    }
    band = BandIndexOfFrequency(hertz);
  }

  size_t workedCount = 0;
  std::array<int, kDistrictCount> ticks{};
  std::array<int, 6> continents{};
  WithLock([&](const LockHeld& held) {
    Live(held).CurrentBand = band;
    if (band == kNoBand)
      return;
    const ContestState& state = TheContest(held);
    workedCount = state.DistrictsByBand[band].size();
    ticks = DistrictTicks(state.DistrictsByBand[band]);
    continents = ContinentFlags(state.ContinentsByBand[band]);
  });
  SetWindowTextA(Handle(), DistrictWindowTitle(band, workedCount).c_str());
  std::copy(ticks.begin(), ticks.end(), DistrictChecks);
  if (WorkedBeforeWindow.load() != nullptr)
    InvalidateWorkedBeforeList();
  UpdateData(false);
  if (ContinentWindow.load() != nullptr)
    RefreshContinentWindow(continents.data());
}
