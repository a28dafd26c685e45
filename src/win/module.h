// The plug-in's own module handle: dialog templates and the icon live in
// Stats.dll, not in the host's executable.
#pragma once

#include <windows.h>

#include <atomic>

HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);

// The unload's view of a thread of ours while the loader lock is held (the
// thread cannot end then): whether it has left our code for good. It has when
// it raised `leaving` as its last step in our code and its instruction
// pointer lies outside this module (it can then only be on its way out of the
// thread, waiting for the loader lock).
bool ThreadHasLeftModule(HANDLE thread, const std::atomic<bool>& leaving);
// Keeps this module mapped for the rest of the process, for a thread that is
// still in its code as the library is unloaded.
void PinModule();
