#include "plugin/cabrillo/cabrillo_file.h"

#include <windows.h>

#include "plugin/cabrillo/header_dialog.h"
#include "win/host_window.h"

bool ShowCabrilloHeaderDialog(CabrilloLog& log) {
  CabrilloHeaderDialog dialog(log);
  return dialog.RunModal(HostMainWindow()) == IDOK;  // -1 (not shown) counts as cancel
}

void ShowCabrilloOutput(const std::string& message, bool written) {
  MessageBoxA(HostMainWindow(), message.c_str(), "Output",
              MB_OK | (written ? MB_ICONINFORMATION : MB_ICONWARNING));
}
