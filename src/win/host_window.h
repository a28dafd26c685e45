// Windows the plug-in shows on the host's thread belong to the host's main
// window, so they stay in front of it and it waits for them.
#pragma once

#include <windows.h>

// The calling thread's visible top-level window without an owner; null when
// the thread shows none.
HWND HostMainWindow();
