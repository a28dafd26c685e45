// The Cabrillo file's two moments on the host's thread. The lock is held
// only to copy state in or out, never while a dialog or message box is up.
#include "plugin/cabrillo/cabrillo_file.h"

#include <windows.h>

#include <vector>

#include "core/engine/contest_state.h"
#include "core/engine/settings.h"
#include "plugin/cabrillo/header_dialog.h"
#include "core/cabrillo/cabrillo_header.h"
#include "plugin/cabrillo/log_output.h"
#include "win/host_window.h"

bool ConfirmCabrilloHeader(const std::string& ownCall) {
  Settings& settings = PluginSettings();
  CabrilloLog log = LoadCabrilloHeader(settings, ownCall);
  bool confirmed = false;
  {
    CabrilloHeaderDialog dialog(log);
    confirmed = dialog.RunModal(HostMainWindow()) == IDOK;  // -1 (not shown) counts as cancel
  }
  FinishCabrilloHeader(log, settings, confirmed);
  WithLock([&](const LockHeld& held) { TheCabrilloLog(held) = std::move(log); });
  return confirmed;
}

bool WriteCabrilloLog() {
  std::vector<QsoRecord> records;
  int32_t claimedScore = 0;
  CabrilloLog log;
  WithLock([&](const LockHeld& held) {
    const ContestState& state = TheContest(held);
    records.reserve(state.Log.Count());
    for (size_t i = 0; i < state.Log.Count(); ++i)
      records.push_back(state.Log.At(i));
    claimedScore = state.ClaimedScore;
    log = TheCabrilloLog(held);
  });
  // Every record gets its line, duplicates and zero-point QSOs included.
  log.QsoLines.clear();
  log.QsoLines.reserve(records.size());
  for (const QsoRecord& r : records) {
    log.AddQsoLine(r.Call, r.FreqKhz, r.Mode == "CW" ? "CW" : "??", r.Time, r.RstSent, r.ExchSent,
                   r.RstRcvd, r.ExchRcvd);
  }
  const std::string name = log.FileName();
  std::string reason;
  bool written = WriteFileReplacing(name, log.FileBytes(claimedScore, FindHostVersion()), reason);
  std::string message = written ? "File produced: " + name
                                : "The Cabrillo file " + name + " could not be written: " + reason;
  MessageBoxA(HostMainWindow(), message.c_str(), "Output",
              MB_OK | (written ? MB_ICONINFORMATION : MB_ICONWARNING));
  return written;
}
