// The library's load and unload.
#include <windows.h>

#include "plugin/live/info_windows.h"
#include "plugin/scoreboard/board_poster.h"
#include "win/module.h"

namespace {

// Runs under the loader lock: no thread of ours can exit meanwhile, so each
// stop waits, bounded, only until its thread has left our code.
void Unload() {
  AbandonBoardPostForUnload();
  StopInfoWindowsForUnload();
  StopBoardPosterForUnload();
  // The info thread's last steps after its windows are gone (ending COM,
  // returning from its procedure) run in this module; the pause once gave
  // them time before the module was unmapped. The stop now waits until the
  // thread has left the module (or pins it), so the pause is only a margin.
  Sleep(20);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    SetModuleInstance(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // reserved != nullptr means the process is ending: other threads are gone already.
    Unload();
  }
  return TRUE;
}
