// What the live update leaves for the three live windows. Guarded by the
// state lock, like the contest state: the worked-before window's paint reads
// it together with the worked-before grid.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "core/engine/state_lock.h"

struct LiveState {
  std::string EnteredCall;           // entry field 5 at the last live update
  int CurrentBand = -1;              // band index of the host frequency, or -1
  double LastSpotFrequency = 0.0;    // hertz at which "<SP1>" was last sent
  POINT LastSavedPosition = {0, 0};  // shared by the three windows' position saving
};
// The one live view, reachable only under the lock.
LiveState& Live(const LockHeld& held);

// Runs `body(live)` under the lock with the live view; returns its value.
template <typename Body>
auto WithLive(Body&& body) {
  return WithLock([&](const LockHeld& held) { return body(Live(held)); });
}

// Window references. Each window object belongs to the info thread, which
// creates and destroys it; other threads reach a window only through these
// handles (null when the window does not exist).
extern std::atomic<HWND> DistrictWindow;
extern std::atomic<HWND> ContinentWindow;
extern std::atomic<HWND> WorkedBeforeWindow;
