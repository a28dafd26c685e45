// The info thread and its control from the host's thread.
//
// The host's thread never blocks blindly on the info thread: that thread may
// be waiting for a host call that only the host's thread can serve. Every
// wait here lets COM calls and sent messages through and gives up after
// kStopBoundMs, leaving the plug-in usable.
#include "live/info_windows.h"

#include <windows.h>
#include <objbase.h>

#include <atomic>

#include "live/district_window.h"
#include "live/host_client.h"
#include "live/live_state.h"
#include "live/live_windows.h"
#include "win/module.h"

namespace {

const DWORD kStopBoundMs = 2000;

// From the start of a session until its thread has closed its windows
// (DistrictWindow is "set" in the host's terms, even before the window exists).
std::atomic<bool> g_sessionActive{false};
std::atomic<bool> g_stopRequested{false};
// Raised by the unload: the thread must then avoid everything that needs the
// loader lock, which the unloading thread holds.
std::atomic<bool> g_unloading{false};
// Raised by the thread as the last thing it does in our code.
std::atomic<bool> g_threadLeaving{false};

// Touched by the host's thread only.
HANDLE g_thread = nullptr;
HANDLE g_leavingEvent = nullptr;  // signalled with g_threadLeaving
HANDLE g_startedEvent = nullptr;  // signalled once the thread runs our code

// Runs the district window and tidies up; every object of the thread lives
// and dies in here.
void RunInfoThread() {
  HostConnection host;
  {
    oblast window(host, g_stopRequested);
    if (!g_stopRequested.load())
      window.RunModal(nullptr);  // no owner: the host stays usable
  }
  CloseLiveSideWindows();
  g_sessionActive.store(false);
  // Releasing the reference is a call into the host's thread, which serves it
  // from its pumping wait. CoUninitialize may need the loader lock: leave it
  // to the thread's end when the library is being unloaded.
  host.Release();
  if (!g_unloading.load())
    host.Uninitialize();
}

DWORD WINAPI InfoThreadProc(void*) {
  SetEvent(g_startedEvent);
  try {
    RunInfoThread();
  } catch (...) {
    g_sessionActive.store(false);
  }
  SetEvent(g_leavingEvent);
  g_threadLeaving.store(true);
  return 0;
}

DWORD Remaining(ULONGLONG deadline) {
  ULONGLONG now = GetTickCount64();
  return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

// Waits for `handle` until the deadline while serving COM calls to this
// thread's apartment and messages sent to it.
bool WaitLettingCallsThrough(HANDLE handle, ULONGLONG deadline) {
  DWORD index = 0;
  HRESULT hr = CoWaitForMultipleHandles(0, Remaining(deadline), 1, &handle, &index);
  if (hr == S_OK)
    return true;
  if (hr == RPC_S_CALLPENDING)
    return false;  // timed out
  // Not in an apartment: no COM calls to serve, but keep sent messages moving.
  for (;;) {
    DWORD wait = MsgWaitForMultipleObjects(1, &handle, FALSE, Remaining(deadline), QS_SENDMESSAGE);
    if (wait == WAIT_OBJECT_0)
      return true;
    if (wait != WAIT_OBJECT_0 + 1)
      return false;
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

void CloseWindowBounded(std::atomic<HWND>& reference, ULONGLONG deadline) {
  HWND window = reference.exchange(nullptr);
  if (window == nullptr)
    return;
  DWORD_PTR ignored;
  SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_NORMAL, Remaining(deadline), &ignored);
}

// Asks the thread to close everything. The timer needs no killing: the window
// kills it on WM_CLOSE, and arms nothing once a stop is requested.
void RequestStop(ULONGLONG deadline) {
  g_stopRequested.store(true);
  CloseWindowBounded(WorkedBeforeWindow, deadline);
  CloseWindowBounded(ContinentWindow, deadline);
  HWND district = DistrictWindow.load();
  if (district != nullptr) {
    DWORD_PTR ignored;
    SendMessageTimeoutA(district, WM_CLOSE, 0, 0, SMTO_NORMAL, Remaining(deadline), &ignored);
  }
}

void ForgetThread() {
  for (HANDLE* handle : {&g_thread, &g_leavingEvent, &g_startedEvent}) {
    if (*handle != nullptr)
      CloseHandle(*handle);
    *handle = nullptr;
  }
}

// Whether the thread's instruction pointer lies outside this module: after
// g_threadLeaving it can then only be on its way out of the thread.
bool OutsideModule(HANDLE thread) {
  auto base = reinterpret_cast<const BYTE*>(ModuleInstance());
  auto headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const BYTE* end = base + headers->OptionalHeader.SizeOfImage;
  if (SuspendThread(thread) == static_cast<DWORD>(-1))
    return true;  // the thread is gone
  CONTEXT context = {};
  context.ContextFlags = CONTEXT_CONTROL;
  bool known = GetThreadContext(thread, &context) != FALSE;
  ResumeThread(thread);
  if (!known)
    return true;  // cannot tell: the caller's pause after the stop has to do
  auto ip = reinterpret_cast<const BYTE*>(static_cast<UINT_PTR>(context.Eip));
  return ip < base || ip >= end;
}

}  // namespace

void StartInfoWindows() {
  StopInfoWindows();
  if (g_thread != nullptr)
    return;  // the old windows did not go within the bound: keep them
  g_stopRequested.store(false);
  g_threadLeaving.store(false);
  ArmPending.store(false);
  g_leavingEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  g_startedEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (g_leavingEvent == nullptr || g_startedEvent == nullptr) {
    ForgetThread();
    return;
  }
  g_sessionActive.store(true);
  g_thread = CreateThread(nullptr, 0, InfoThreadProc, nullptr, 0, nullptr);
  if (g_thread == nullptr) {
    g_sessionActive.store(false);
    ForgetThread();
    return;
  }
  // A thread still on its way in when the library is unloaded would start in
  // unmapped code: make sure it has reached ours before going on.
  WaitLettingCallsThrough(g_startedEvent, GetTickCount64() + kStopBoundMs);
}

void StopInfoWindows() {
  if (g_thread == nullptr)
    return;
  ULONGLONG deadline = GetTickCount64() + kStopBoundMs;
  RequestStop(deadline);
  if (WaitLettingCallsThrough(g_thread, deadline))
    ForgetThread();
}

bool DistrictWindowExists() {
  return g_sessionActive.load();
}

void ArmDistrictTimer() {
  HWND window = DistrictWindow.load();
  if (window == nullptr || ArmPending.exchange(true))
    return;
  if (!PostMessageA(window, kArmUpdateTimer, 330, 0))
    ArmPending.store(false);
}

void StopInfoWindowsForUnload() {
  if (g_thread == nullptr)
    return;
  // Under the loader lock the thread cannot end, so wait only until it has
  // closed its windows and left our code, never for the thread itself.
  g_unloading.store(true);
  ULONGLONG deadline = GetTickCount64() + kStopBoundMs;
  RequestStop(deadline);
  if (WaitForSingleObject(g_thread, 0) != WAIT_OBJECT_0 &&
      WaitLettingCallsThrough(g_leavingEvent, deadline)) {
    while (!(g_threadLeaving.load() && OutsideModule(g_thread)) && Remaining(deadline) > 0)
      Sleep(1);
  }
  ForgetThread();
}
