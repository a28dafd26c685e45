// Counts of what a process holds, to catch leaks. GetGuiResources answers 0
// under Wine, so windows are counted one by one and GDI handles are probed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Top-level windows of this process, hidden ones included, with their children.
int CountProcessWindows();

// Top-level windows of this process whose title begins with `prefix`.
std::vector<HWND> FindProcessWindows(const std::string& titlePrefix);

// How many more GDI objects the process could still create: takes brushes
// until the handle table refuses one, then frees them all. A leak between
// two probes shows as a smaller number.
int ProbeFreeGdiHandles();
