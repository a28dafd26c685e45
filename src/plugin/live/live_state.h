// What the live windows share between the host's thread and the info thread,
// and which thread owns what. This is the one place that says so.
//
// The info thread owns the three window objects and everything in them, from
// creation to destruction, and the slots that hold the side windows
// (g_window in continent_window.cpp and worked_before_window.cpp). Its host
// connection never leaves it.
//
// The host's thread owns the info thread's handle and events (g_thread,
// g_readyEvent, g_leavingEvent in info_windows.cpp); the thread is handed
// copies of the events, which stay open until it has left.
//
// Under the state lock (WithLock): LiveState below, the contest state and the
// Cabrillo log.
//
// Atomics, each written only as listed and read by either thread:
// - the three window handles below: set by the info thread when its window
//   exists and cleared when it goes; the host's thread also clears the side
//   windows' as it closes them at a stop;
// - ArmPending below: raised by the host's thread with each re-arming message,
//   lowered by the district window when the message arrives (or by the host's
//   thread when the post failed or a new thread starts);
// - g_stopRequested and g_unloading (info_windows.cpp): raised by the host's
//   thread; g_liveWindowsRunning: raised by the host's thread at a start,
//   lowered by the info thread once its windows are gone; g_threadLeaving:
//   raised by the info thread as its last step in our code;
// - g_hostAttached (host_client.cpp): claimed once by whichever thread
//   attaches first.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "core/contest/contest_rules.h"
#include "core/engine/state_lock.h"

struct LiveState {
  std::string EnteredCall;           // entry field 5 at the last live update
  int CurrentBand = kNoBand;         // band index of the host frequency
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

// The windows as other threads reach them: null when the window does not exist.
extern std::atomic<HWND> DistrictWindowHandle;
extern std::atomic<HWND> ContinentWindowHandle;
extern std::atomic<HWND> WorkedBeforeWindowHandle;

// Set while a re-arming message is on its way to the district window, so that
// a burst of call checks posts one message rather than one per call.
extern std::atomic<bool> ArmPending;
