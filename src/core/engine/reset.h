// ResetStats0: the start of a scoring pass.
#pragma once

#include <functional>
#include <string>

#include "core/engine/contest_state.h"
#include "core/engine/host_input.h"
#include "core/engine/settings.h"

// Takes the own station's data and the period, reloads "Master" and
// "Multiplier", empties the store and seeds the worked-before grid. The error
// file and the calls out are the caller's.
void ResetPass(ContestState& state, Settings& settings, const ResetInput& input);

// What the pass start calls out to; run without the state lock.
struct PassStartCalls {
  std::function<void()> ConfirmCabrilloHeader;  // the modal Cabrillo header dialog
  std::function<bool()> LiveWindowsRunning;
  std::function<void()> StartInfoWindows;
};

// The end of the reset: the header dialog of a report run, then the "Start"
// alternation. A pass that finds "Start" 0 may start the info windows and
// leaves it "1"; the next finds it non-zero, starts nothing and leaves "0".
void StartPass(Settings& settings, int32_t cabrilloRequest, const std::string& ownPrefix,
               int32_t multiplierSetting, const PassStartCalls& calls);
