#include "win/host_window.h"

namespace {

BOOL CALLBACK TakeFirstMainWindow(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == nullptr) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND HostMainWindow() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), TakeFirstMainWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}
