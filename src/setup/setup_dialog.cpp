#include "setup/setup_dialog.h"

void RunSetupDialog() {}
