#include "plugin/live/live_state.h"

LiveState& Live(const LockHeld&) {
  static LiveState state;
  return state;
}

std::atomic<HWND> DistrictWindow{nullptr};
std::atomic<HWND> ContinentWindow{nullptr};
std::atomic<HWND> WorkedBeforeWindow{nullptr};
