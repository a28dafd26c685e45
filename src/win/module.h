// The plug-in's own module handle: dialog templates and the icon live in
// Stats.dll, not in the host's executable.
#pragma once

#include <windows.h>

HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);
