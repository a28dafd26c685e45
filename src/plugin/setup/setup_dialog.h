// The setup dialog behind SetupSet0.
#pragma once

#include "win/dialog.h"

// The two plug-in switches, "Master" and "Multiplier": 1 on, 0 off.
struct PluginSwitches {
  int Master = 0;
  int Multiplier = 0;
};

// "Setup DKZ" (template 105): the two plug-in switches. Only "Using window
// Multiplier" is shown; "Using master file" is carried along unchanged.
class SetupDialog : public DialogBase {
 public:
  // Shows `switches` and, on OK, takes them back.
  explicit SetupDialog(PluginSwitches& switches);

 protected:
  void ExchangeFields(DataExchange& exchange) override;

 private:
  PluginSwitches& switches_;
};

// Shows the modal dialog on the calling thread and stores "Master" and
// "Multiplier" on OK; Esc or the close box store nothing.
void RunSetupDialog();
