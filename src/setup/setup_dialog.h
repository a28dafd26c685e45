// The setup dialog behind SetupSet0.
#pragma once

// Shows the modal "Setup DKZ" dialog and stores "Master" and "Multiplier" on OK.
void RunSetupDialog();
