// The application object: constructed at load, its exit step run at unload.
#include <windows.h>

#include "live/info_windows.h"
#include "win/module.h"

namespace {

class CTestApp {
 public:
  void InitInstance(HINSTANCE instance) { SetModuleInstance(instance); }

  // Runs under the loader lock: the info thread cannot exit meanwhile, so the
  // stop waits, bounded, only until the windows are gone.
  void ExitInstance() {
    StopInfoWindowsForUnload();
    Sleep(20);
  }
};

CTestApp theApp;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    theApp.InitInstance(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // reserved != nullptr means the process is ending: other threads are gone already.
    theApp.ExitInstance();
  }
  return TRUE;
}
