// Looking at the plug-in's windows from the test's threads, beside the
// dialog driving of ui_driver.h: windows hidden or not, check boxes, the
// close box.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Top-level windows of this process, hidden ones included.
std::vector<HWND> ProcessWindows();
// The caption without a message to the window's thread, which may be busy.
std::string WindowCaption(HWND window);
// Whether a check box shows a tick; waits at most 5 s for the window's thread.
bool IsTicked(HWND dialog, int id);
// What a click on the caption's close box sends.
void PressCloseBox(HWND window);
