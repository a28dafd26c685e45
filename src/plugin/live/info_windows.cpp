// The info thread and its control from the host's thread.
//
// The host's thread never blocks blindly on the info thread: that thread may
// be waiting for a host call that only the host's thread can serve. Every
// wait here lets COM calls and sent messages through and gives up after
// kStopBoundMs, leaving the plug-in usable.
#include "plugin/live/info_windows.h"

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <atomic>
#include <memory>

#include "plugin/live/district_window.h"
#include "plugin/live/host_client.h"
#include "plugin/live/live_state.h"
#include "plugin/live/live_windows.h"
#include "win/module.h"
#include "win/unique_handle.h"

namespace {

const DWORD kStopBoundMs = 2000;

// Which thread writes each of these: live_state.h.
// From the start of the info thread until it has closed its windows.
std::atomic<bool> g_liveWindowsRunning{false};
std::atomic<bool> g_stopRequested{false};
// Raised by the unload: the thread must then avoid everything that needs the
// loader lock, which the unloading thread holds.
std::atomic<bool> g_unloading{false};
// Raised by the thread as the last thing it does in our code.
std::atomic<bool> g_threadLeaving{false};

KernelHandle g_thread;
KernelHandle g_readyEvent;    // the district window exists
KernelHandle g_leavingEvent;  // signalled just before g_threadLeaving

// The events as the thread sees them: the host's thread keeps them open until
// the thread has left.
struct ThreadEvents {
  HANDLE Ready, Leaving;
};

// Runs the district window and tidies up; every object of the thread lives
// and dies in here.
void RunInfoThread(HANDLE ready) {
  HostConnection host;
  {
    DistrictWindow window(host, g_stopRequested, ready);
    if (!g_stopRequested.load())
      window.RunModal(nullptr);  // no owner: the host stays usable
  }
  CloseLiveSideWindows();
  g_liveWindowsRunning.store(false);
  // Releasing the reference is a call into the host's thread, which serves it
  // from its pumping wait. CoUninitialize may need the loader lock: leave it
  // to the thread's end when the library is being unloaded.
  host.Release();
  if (!g_unloading.load())
    host.Uninitialize();
}

DWORD WINAPI InfoThreadProc(void* parameter) {
  const ThreadEvents events = *std::unique_ptr<ThreadEvents>(static_cast<ThreadEvents*>(parameter));
  try {
    RunInfoThread(events.Ready);
  } catch (...) {
    g_liveWindowsRunning.store(false);
  }
  SetEvent(events.Leaving);
  g_threadLeaving.store(true);
  return 0;
}

DWORD Remaining(ULONGLONG deadline) {
  ULONGLONG now = GetTickCount64();
  return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

// Waits for any of `handles` until the deadline while serving COM calls to
// this thread's apartment and messages sent to it. False on a timeout.
bool WaitLettingCallsThrough(std::initializer_list<HANDLE> handles, ULONGLONG deadline) {
  DWORD count = static_cast<DWORD>(handles.size());
  auto list = const_cast<HANDLE*>(handles.begin());
  DWORD index = 0;
  HRESULT hr = CoWaitForMultipleHandles(0, Remaining(deadline), count, list, &index);
  if (hr == S_OK)
    return true;
  if (hr == RPC_S_CALLPENDING)
    return false;
  // Not in an apartment: no COM calls to serve, but keep sent messages moving.
  for (;;) {
    DWORD wait = MsgWaitForMultipleObjects(count, list, FALSE, Remaining(deadline), QS_SENDMESSAGE);
    if (wait < WAIT_OBJECT_0 + count)
      return true;
    if (wait != WAIT_OBJECT_0 + count)
      return false;
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

void CloseWindowBounded(HWND window, ULONGLONG deadline) {
  if (window == nullptr)
    return;
  DWORD_PTR ignored;
  // At least 1 ms: Wine takes a timeout of 0 as no timeout at all.
  DWORD timeout = std::max<DWORD>(1, Remaining(deadline));
  // Not answered in time: the close waits in the queue for the thread to
  // come back, as Wine drops a send that timed out.
  if (!SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_NORMAL, timeout, &ignored))
    PostMessageA(window, WM_CLOSE, 0, 0);
}

// Asks the thread to close everything. The timer needs no killing: the window
// kills it on WM_CLOSE and arms nothing once a stop is requested.
void RequestStop(ULONGLONG deadline) {
  g_stopRequested.store(true);
  CloseWindowBounded(WorkedBeforeWindowHandle.exchange(nullptr), deadline);
  CloseWindowBounded(ContinentWindowHandle.exchange(nullptr), deadline);
  CloseWindowBounded(DistrictWindowHandle.load(), deadline);
}

void ForgetThread() {
  for (KernelHandle* handle : {&g_thread, &g_readyEvent, &g_leavingEvent})
    handle->Reset();
}

}  // namespace

void StartInfoWindows() {
  StopInfoWindows();
  if (g_thread)
    return;  // the old windows did not go within the bound: keep them
  g_stopRequested.store(false);
  g_threadLeaving.store(false);
  ArmPending.store(false);
  g_readyEvent.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  g_leavingEvent.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  auto events =
      std::make_unique<ThreadEvents>(ThreadEvents{g_readyEvent.Get(), g_leavingEvent.Get()});
  if (g_readyEvent && g_leavingEvent) {
    g_liveWindowsRunning.store(true);
    g_thread.Reset(CreateThread(nullptr, 0, InfoThreadProc, events.get(), 0, nullptr));
  }
  if (!g_thread) {
    g_liveWindowsRunning.store(false);
    ForgetThread();
    return;
  }
  events.release();  // the thread frees it
  // Making the first window of a thread may load libraries, which needs the
  // loader lock; an unload holds it. Return only once the window exists (or
  // the thread gave up), so that no unload can come in between.
  WaitLettingCallsThrough({g_readyEvent.Get(), g_leavingEvent.Get()},
                          GetTickCount64() + kStopBoundMs);
}

void StopInfoWindows() {
  if (!g_thread)
    return;
  ULONGLONG deadline = GetTickCount64() + kStopBoundMs;
  RequestStop(deadline);
  if (WaitLettingCallsThrough({g_thread.Get()}, deadline))
    ForgetThread();
}

bool LiveWindowsRunning() {
  return g_liveWindowsRunning.load();
}

void ArmDistrictTimer() {
  HWND window = DistrictWindowHandle.load();
  if (window == nullptr || ArmPending.exchange(true))
    return;
  if (!PostMessageA(window, kArmTimerMessage, 330, 0))
    ArmPending.store(false);
}

void StopInfoWindowsForUnload() {
  if (!g_thread)
    return;
  // Under the loader lock the thread cannot end, so wait only until it has
  // closed its windows and left our code, never for the thread itself.
  g_unloading.store(true);
  ULONGLONG deadline = GetTickCount64() + kStopBoundMs;
  RequestStop(deadline);
  bool left = WaitForSingleObject(g_thread.Get(), 0) == WAIT_OBJECT_0;
  if (!left && WaitLettingCallsThrough({g_leavingEvent.Get()}, deadline)) {
    while (!(left = ThreadHasLeftModule(g_thread.Get(), g_threadLeaving)) &&
           Remaining(deadline) > 0)
      Sleep(1);
  }
  if (left) {
    ForgetThread();
    return;
  }
  // Still in our code (most likely waiting for the loader lock itself): keep
  // the code mapped rather than let the thread run into nothing, and leave
  // it its handles, which the library's own end must not close either.
  for (KernelHandle* handle : {&g_thread, &g_readyEvent, &g_leavingEvent})
    handle->Release();
  PinModule();
}
