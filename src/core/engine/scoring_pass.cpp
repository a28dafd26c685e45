#include "core/engine/scoring_pass.h"

#include <vector>

#include "core/cabrillo/cabrillo_header.h"
#include "core/engine/acceptance.h"
#include "core/engine/reset.h"
#include "core/engine/summary.h"

// Each call computes with the state and lets go of it before it calls out
// (dialogs, the info thread, the host) and before it writes err.txt or a
// setting.

int PassAddData(PassSurroundings& pass, const QsoInput& qso) {
  std::string errorLines;
  int result = 0;
  pass.WithPassState([&](ContestState& state) { result = AcceptQso(state, qso, errorLines); });
  pass.PassErrors().Append(errorLines);
  return result;
}

int PassResetStats(PassSurroundings& pass, const ResetInput& input) {
  int32_t multiplierSetting = 0;
  pass.WithPassState([&](ContestState& state) {
    ResetPass(state, pass.PassSettings(), input);
    multiplierSetting = state.MultiplierSetting;
  });
  pass.PassErrors().Recreate();

  PassStartCalls calls;
  calls.ConfirmCabrilloHeader = [&] { PassConfirmCabrilloHeader(pass, input.OwnCall); };
  calls.LiveWindowsRunning = [&] { return pass.LiveWindowsRunning(); };
  calls.StartInfoWindows = [&] { pass.StartInfoWindows(); };
  StartPass(pass.PassSettings(), input.CabrilloRequest, input.OwnPrefix, multiplierSetting, calls);
  return 1;
}

std::string PassGetResult(PassSurroundings& pass, int* status) {
  std::string summaryText;
  int32_t score = 0, cabrilloRequest = 0, masterSetting = 0, multiplierSetting = 0;
  pass.WithPassState([&](ContestState& state) {
    BuildSummary(state);
    summaryText = state.SummaryText;
    score = state.ClaimedScore;
    cabrilloRequest = state.CabrilloRequest;
    masterSetting = state.MasterSetting;
    multiplierSetting = state.MultiplierSetting;
  });
  // The summary ends a pass: let go of err.txt until the next QSO.
  pass.PassErrors().Close();
  pass.PassSettings().WriteInt("Claimed", score);
  if (cabrilloRequest != 0 && PassWriteCabrilloLog(pass) && status != nullptr)
    *status = -1;
  pass.AttachForSummary(masterSetting, multiplierSetting);
  return summaryText;
}

bool PassConfirmCabrilloHeader(PassSurroundings& pass, const std::string& ownCall) {
  Settings& settings = pass.PassSettings();
  CabrilloLog log = LoadCabrilloHeader(settings, ownCall);
  const bool confirmed = pass.ShowCabrilloHeader(log);
  FinishCabrilloHeader(log, settings, confirmed);
  pass.WithCabrilloLog([&](CabrilloLog& kept) { kept = std::move(log); });
  return confirmed;
}

bool PassWriteCabrilloLog(PassSurroundings& pass) {
  std::vector<QsoRecord> records;
  int32_t claimedScore = 0;
  pass.WithPassState([&](ContestState& state) {
    records.reserve(state.Log.Count());
    for (size_t i = 0; i < state.Log.Count(); ++i)
      records.push_back(state.Log.At(i));
    claimedScore = state.ClaimedScore;
  });
  CabrilloLog log;
  pass.WithCabrilloLog([&](CabrilloLog& kept) { log = kept; });
  // Every record gets its line, duplicates and zero-point QSOs included.
  log.QsoLines.clear();
  log.QsoLines.reserve(records.size());
  for (const QsoRecord& r : records) {
    log.AddQsoLine(r.Call, r.FreqKhz, r.Mode == "CW" ? "CW" : "??", r.Time, r.RstSent, r.ExchSent,
                   r.RstRcvd, r.ExchRcvd);
  }
  const std::string name = log.FileName();
  std::string reason;
  const bool written =
      pass.WriteCabrilloFile(name, log.FileBytes(claimedScore, pass.HostVersion()), reason);
  pass.TellCabrilloOutput(written
                              ? "File produced: " + name
                              : "The Cabrillo file " + name + " could not be written: " + reason,
                          written);
  return written;
}
