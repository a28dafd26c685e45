#include "plugin/scoring_calls.h"

#include <string>

#include "engine/acceptance.h"
#include "engine/call_check.h"
#include "engine/error_file.h"
#include "engine/removal.h"
#include "engine/reset.h"
#include "engine/settings.h"
#include "live/host_client.h"
#include "live/info_windows.h"
#include "reports/cabrillo_report.h"
#include "reports/summary.h"

// Each call computes under StateLock() and lets go of it before it calls out
// (dialogs, the info thread, the host) and before it writes err.txt or a
// setting.

int PluginAddData(const QsoInput& qso) {
  std::string errorLines;
  int result;
  {
    StateGuard guard(StateLock());
    result = AcceptQso(CurrentContest(), qso, errorLines);
  }
  PassErrorFile().Append(errorLines);
  return result;
}

int PluginRemoveData(const QsoInput& qso) {
  StateGuard guard(StateLock());
  return RemoveQso(CurrentContest(), qso);
}

int PluginCheckCall(const CallCheckInput& input) {
  ArmDistrictTimer();
  StateGuard guard(StateLock());
  return CheckCall(CurrentContest(), input);
}

int PluginResetStats(const ResetInput& input) {
  int32_t multiplierSetting;
  {
    StateGuard guard(StateLock());
    ResetPass(CurrentContest(), PluginSettings(), input);
    multiplierSetting = CurrentContest().MultiplierSetting;
  }
  PassErrorFile().Recreate();

  PassStartCalls calls;
  calls.BeginLog = [&] { BeginLog(input.OwnCall, input.PeriodStart, input.PeriodEnd); };
  calls.DistrictWindowExists = [] { return DistrictWindowExists(); };
  calls.StartInfoWindows = [] { StartInfoWindows(); };
  StartPass(PluginSettings(), input.ReportFlag, input.OwnPrefix, multiplierSetting, calls);
  return 1;
}

const char* PluginGetResult(int* status) {
  static std::string summaryText;  // the host's copy, valid until the next call
  int32_t score, reportFlag, masterSetting, multiplierSetting;
  {
    StateGuard guard(StateLock());
    ContestState& state = CurrentContest();
    BuildSummary(state);
    summaryText = state.SummaryText;
    score = state.ClaimedScore;
    reportFlag = state.ReportFlag;
    masterSetting = state.MasterSetting;
    multiplierSetting = state.MultiplierSetting;
  }
  // The summary ends a pass: let go of err.txt until the next QSO.
  PassErrorFile().Close();
  PluginSettings().WriteInt("Claimed", score);
  if (reportFlag != 0 && RunCabrilloReport() && status != nullptr)
    *status = -1;
  if (!IsHostAttached())
    AttachForSummary(masterSetting, multiplierSetting);
  return summaryText.c_str();
}
