#include "plugin/live/live_state.h"

LiveState& Live(const LockHeld&) {
  static LiveState state;
  return state;
}

std::atomic<HWND> DistrictWindowHandle{nullptr};
std::atomic<HWND> ContinentWindowHandle{nullptr};
std::atomic<HWND> WorkedBeforeWindowHandle{nullptr};
std::atomic<bool> ArmPending{false};
