#include "plugin/setup/setup_dialog.h"

#include "core/engine/contest_state.h"
#include "core/engine/settings.h"
#include "plugin/resources/resource_ids.h"
#include "win/host_window.h"

namespace {

// The in-memory copies that the reset and the summary read.
void StorePluginSwitches(const PluginSwitches& switches) {
  WithState([&](ContestState& state) {
    state.MasterSetting = switches.Master;
    state.MultiplierSetting = switches.Multiplier;
  });
}

}  // namespace

SetupDialog::SetupDialog(PluginSwitches& switches) : DialogBase(IDD_SETUP), switches_(switches) {}

void SetupDialog::ExchangeFields(DataExchange& exchange) {
  exchange.Check(IDC_MASTER, switches_.Master);
  exchange.Check(IDC_MULTIPLIER, switches_.Multiplier);
}

void RunSetupDialog() {
  Settings& settings = PluginSettings();
  PluginSwitches switches;
  switches.Master = settings.ReadInt("Master");
  switches.Multiplier = settings.ReadInt("Multiplier");
  StorePluginSwitches(switches);

  // Modal to the host's main window; no lock is held while it runs.
  SetupDialog dialog(switches);
  if (dialog.RunModal(HostMainWindow()) != IDOK)
    return;
  StorePluginSwitches(switches);
  settings.WriteInt("Master", switches.Master);
  settings.WriteInt("Multiplier", switches.Multiplier);
}
