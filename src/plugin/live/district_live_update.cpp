// The live update: what the district window does each time its timer fires.
// The state lock is held only while computing; every host call and every
// window call happens outside it.
#include <algorithm>
#include <array>

#include "core/contest/contest_rules.h"
#include "core/contest/live_view.h"
#include "core/engine/contest_state.h"
#include "plugin/live/district_window.h"
#include "plugin/live/live_state.h"
#include "plugin/live/live_windows.h"

void DistrictWindow::LiveUpdate() {
  // The continent window shows the continents worked, where they multiply.
  const bool continentsMultiply = WithState([](const ContestState& state) {
    return state.Rules->OperatorOf(state.OwnPrefix).ContinentsMultiply;
  });
  if (continentsMultiply && ContinentWindowHandle.load() == nullptr)
    CreateContinentWindow();

  if (CancelIfStoppedDuring(AttachForWindows(host_)))
    return;
  // With no host at all the update goes on with an empty entry and no band.
  std::string entry;
  if (CancelIfStoppedDuring(host_.GetEntryText(5, entry)))
    return;

  std::string contestYear;
  const bool begunOnly = WithLock([&](const LockHeld& held) {
    Live(held).EnteredCall = entry;
    if (IsShortEntry(entry))
      return true;  // the operator has only begun to type
    ContestState& state = TheContest(held);
    ResetWorkedBeforeRows(state.WorkedBeforeGrid);
    if (!entry.empty())
      FillWorkedBeforeRows(state.WorkedBeforeGrid, state.Log, entry);
    contestYear = state.ContestYear;
    return false;
  });
  if (begunOnly)
    return;
  if (!entry.empty()) {
    if (WorkedBeforeWindowHandle.load() == nullptr)
      CreateWorkedBeforeWindow();
    SetWorkedBeforeTitle(WorkedBeforeTitle(contestYear, entry));
  }

  double hertz = 0.0;
  HostCall frequency = host_.GetFrequency(hertz);
  if (CancelIfStoppedDuring(frequency))
    return;
  int band = kNoBand;
  if (frequency == HostCall::kDone) {
    const double lastSpot = WithLive([](const LiveState& live) { return live.LastSpotFrequency; });
    if (FrequencyMovedForSpot(hertz, lastSpot)) {
      if (CancelIfStoppedDuring(host_.RunMacro("<SP1>")))
        return;
      WithLive([&](LiveState& live) { live.LastSpotFrequency = hertz; });
    }
    band = kDkzRules.BandIndexOfFrequency(hertz);
  }

  size_t workedCount = 0;
  std::array<int, kDistrictCount> ticks{};
  std::array<int, kContinentCount> continents{};
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
  std::copy(ticks.begin(), ticks.end(), ticks_);
  if (WorkedBeforeWindowHandle.load() != nullptr)
    InvalidateWorkedBeforeList();
  ShowFields();
  if (ContinentWindowHandle.load() != nullptr)
    RefreshContinentWindow(continents.data());
}
