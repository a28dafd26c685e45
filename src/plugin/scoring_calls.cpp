#include "plugin/scoring_calls.h"

#include <string>

#include "core/engine/call_check.h"
#include "core/engine/removal.h"
#include "core/engine/scoring_pass.h"
#include "plugin/cabrillo/cabrillo_file.h"
#include "plugin/cabrillo/log_output.h"
#include "plugin/live/host_client.h"
#include "plugin/live/info_windows.h"
#include "plugin/scoreboard/board_poster.h"

namespace {

// The loaded plug-in's pass: its one state under the lock, its settings file,
// err.txt in the host's folder, its dialogs, windows and the host.
class PluginPass : public PassSurroundings {
 public:
  void WithPassState(const std::function<void(ContestState&)>& body) override {
    WithState([&](ContestState& state) { body(state); });
  }
  void WithCabrilloLog(const std::function<void(CabrilloLog&)>& body) override {
    WithLock([&](const LockHeld& held) { body(TheCabrilloLog(held)); });
  }
  Settings& PassSettings() override { return PluginSettings(); }
  ErrorFile& PassErrors() override { return PassErrorFile(); }
  bool ShowCabrilloHeader(CabrilloLog& log) override { return ShowCabrilloHeaderDialog(log); }
  std::string HostVersion() override { return FindHostVersion(); }
  bool WriteCabrilloFile(const std::string& name, const std::string& bytes,
                         std::string& reason) override {
    return WriteFileReplacing(name, bytes, reason);
  }
  void TellCabrilloOutput(const std::string& message, bool written) override {
    ShowCabrilloOutput(message, written);
  }
  bool LiveWindowsRunning() override { return ::LiveWindowsRunning(); }
  void StartInfoWindows() override { ::StartInfoWindows(); }
  void AttachForSummary(int32_t masterSetting, int32_t multiplierSetting) override {
    ::AttachForSummary(masterSetting, multiplierSetting);
  }
};

PluginPass& ThePass() {
  static PluginPass pass;
  return pass;
}

}  // namespace

int PluginAddData(const QsoInput& qso) {
  return PassAddData(ThePass(), qso);
}

int PluginRemoveData(const QsoInput& qso) {
  return WithState([&](ContestState& state) { return RemoveQso(state, qso); });
}

int PluginCheckCall(const CallCheckInput& input) {
  ArmDistrictTimer();
  return WithState([&](const ContestState& state) { return CheckCall(state, input); });
}

int PluginResetStats(const ResetInput& input) {
  int result = PassResetStats(ThePass(), input);
  ConfigureBoardPoster();
  return result;
}

const char* PluginGetResult(int* status) {
  static std::string summaryText;  // the host's copy, valid until the next call
  summaryText = PassGetResult(ThePass(), status);
  NoteNewSummary();
  return summaryText.c_str();
}
