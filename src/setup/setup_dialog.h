// The setup dialog behind SetupSet0.
#pragma once

#include "win/dialog.h"

// "Setup DKZ" (template 105): the two plug-in switches. Only "Using window
// Multiplier" is shown; "Using master file" is carried along unchanged.
class master : public DialogBase {
 public:
  master();

  int MasterFlag = 0;
  int MultiplierFlag = 0;

 protected:
  void DoDataExchange(DataExchange& exchange) override;
};

// Shows the modal dialog on the calling thread and stores "Master" and
// "Multiplier" on OK; Esc or the close box store nothing.
void RunSetupDialog();
