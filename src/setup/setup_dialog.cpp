#include "setup/setup_dialog.h"

#include "engine/contest_state.h"
#include "engine/settings.h"
#include "resources/resource_ids.h"
#include "win/host_window.h"

namespace {

// The in-memory copies that the reset and the summary read.
void StorePluginSwitches(int masterValue, int multiplierValue) {
  StateGuard guard(StateLock());
  CurrentContest().MasterSetting = masterValue;
  CurrentContest().MultiplierSetting = multiplierValue;
}

}  // namespace

master::master() : DialogBase(IDD_SETUP) {}

void master::DoDataExchange(DataExchange& exchange) {
  exchange.Check(IDC_MASTER, MasterFlag);
  exchange.Check(IDC_MULTIPLIER, MultiplierFlag);
}

void RunSetupDialog() {
  Settings& settings = PluginSettings();
  master dialog;
  dialog.MasterFlag = settings.ReadInt("Master");
  dialog.MultiplierFlag = settings.ReadInt("Multiplier");
  StorePluginSwitches(dialog.MasterFlag, dialog.MultiplierFlag);

  // Modal to the host's main window; no lock is held while it runs.
  if (dialog.RunModal(HostMainWindow()) != IDOK)
    return;
  StorePluginSwitches(dialog.MasterFlag, dialog.MultiplierFlag);
  settings.WriteInt("Master", dialog.MasterFlag);
  settings.WriteInt("Multiplier", dialog.MultiplierFlag);
}
