#include "plugin/scoring_calls.h"

#include <string>

#include "core/engine/acceptance.h"
#include "core/engine/call_check.h"
#include "core/engine/error_file.h"
#include "core/engine/removal.h"
#include "core/engine/reset.h"
#include "core/engine/settings.h"
#include "plugin/live/host_client.h"
#include "plugin/live/info_windows.h"
#include "plugin/cabrillo/cabrillo_file.h"
#include "core/engine/summary.h"

// Each call computes under the state lock and lets go of it before it calls
// out (dialogs, the info thread, the host) and before it writes err.txt or a
// setting.

int PluginAddData(const QsoInput& qso) {
  std::string errorLines;
  const int result =
      WithState([&](ContestState& state) { return AcceptQso(state, qso, errorLines); });
  PassErrorFile().Append(errorLines);
  return result;
}

int PluginRemoveData(const QsoInput& qso) {
  return WithState([&](ContestState& state) { return RemoveQso(state, qso); });
}

int PluginCheckCall(const CallCheckInput& input) {
  ArmDistrictTimer();
  return WithState([&](const ContestState& state) { return CheckCall(state, input); });
}

int PluginResetStats(const ResetInput& input) {
  const int32_t multiplierSetting = WithState([&](ContestState& state) {
    ResetPass(state, PluginSettings(), input);
    return state.MultiplierSetting;
  });
  PassErrorFile().Recreate();

  PassStartCalls calls;
  calls.ConfirmCabrilloHeader = [&] { ConfirmCabrilloHeader(input.OwnCall); };
  calls.LiveWindowsRunning = [] { return LiveWindowsRunning(); };
  calls.StartInfoWindows = [] { StartInfoWindows(); };
  StartPass(PluginSettings(), input.CabrilloRequest, input.OwnPrefix, multiplierSetting, calls);
  return 1;
}

const char* PluginGetResult(int* status) {
  static std::string summaryText;  // the host's copy, valid until the next call
  int32_t score = 0, cabrilloRequest = 0, masterSetting = 0, multiplierSetting = 0;
  WithState([&](ContestState& state) {
    BuildSummary(state);
    summaryText = state.SummaryText;
    score = state.ClaimedScore;
    cabrilloRequest = state.CabrilloRequest;
    masterSetting = state.MasterSetting;
    multiplierSetting = state.MultiplierSetting;
  });
  // The summary ends a pass: let go of err.txt until the next QSO.
  PassErrorFile().Close();
  PluginSettings().WriteInt("Claimed", score);
  if (cabrilloRequest != 0 && WriteCabrilloLog() && status != nullptr)
    *status = -1;
  AttachForSummary(masterSetting, multiplierSetting);
  return summaryText.c_str();
}
