#include "core/engine/reset.h"

#include "core/contest/contest_rules.h"

void ResetPass(ContestState& state, Settings& settings, const ResetInput& input) {
  state.PeriodStartText = FormatDateTime(input.PeriodStart, "%d.%m");
  state.PeriodEndText = FormatDateTime(input.PeriodEnd, "%d.%m.%Y");
  state.ContestYear = FormatDateTime(input.PeriodEnd, "%Y");
  state.MasterSetting = settings.ReadInt("Master");
  state.MultiplierSetting = settings.ReadInt("Multiplier");
  for (int b = 0; b < kBandCount; ++b)
    state.WorkedBeforeGrid[b] = {state.Rules->Bands[b].Text, "-", "-", "-"};
  state.Contestant = input.OwnCall;
  state.Log.Clear();
  state.LogBands.clear();
  state.LogBandSet.clear();
  state.CabrilloRequest = input.CabrilloRequest;
  state.OwnPrefix = input.OwnPrefix;
}

void StartPass(Settings& settings, int32_t cabrilloRequest, const std::string& ownPrefix,
               int32_t multiplierSetting, const PassStartCalls& calls) {
  if (cabrilloRequest != 0) {
    calls.ConfirmCabrilloHeader();
    settings.WriteText("Start", "1");
  }
  if (settings.ReadInt("Start") != 0) {
    settings.WriteText("Start", "0");
    return;
  }
  if (kDkzRules.IsJapanese(ownPrefix) || !calls.LiveWindowsRunning()) {
    if (multiplierSetting != 0)
      calls.StartInfoWindows();
    settings.WriteText("Start", "1");
  }
}
