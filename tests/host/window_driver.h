// Drives the plug-in's windows from a second thread, the way an operator
// would: find a window by its caption, read and click its controls, press
// keys and the close box. Every wait is bounded.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Serves the calling thread's messages (and so the COM calls into its
// apartment) for the given time.
void PumpMessagesFor(DWORD milliseconds);
// Polls `condition` every 10 ms, serving messages meanwhile, until it holds or
// `timeoutMs` has passed.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// Top-level windows of this process, hidden ones included.
std::vector<HWND> ProcessWindows();
// The first visible top-level window of this process whose caption is
// `caption` (or begins with it, with `prefix`); null when there is none.
HWND FindProcessWindow(const std::string& caption, bool prefix = false);
HWND WaitForProcessWindow(const std::string& caption, DWORD timeoutMs, bool prefix = false);
bool WaitUntilGone(HWND window, DWORD timeoutMs);

std::string WindowCaption(HWND window);
bool IsTicked(HWND dialog, int id);
// Both wait at most 5 s for the window's thread.
// A mouse click on a button, served by the window's own thread (BM_CLICK).
void ClickButton(HWND dialog, int id);
// A key stroke posted through the window's message loop, so that the dialog
// manager sees it as typed (Esc, Enter).
void PressKey(HWND window, UINT virtualKey);
// What a click on the caption's close box sends.
void PressCloseBox(HWND window);

// Runs `modal` (which shows a modal window titled `caption` and returns when
// it closes) on the calling thread, and `driver` on a second thread once the
// window is there. Should the driver leave the window open, or the window not
// appear within 10 s, the window is closed so that `modal` returns. False when
// the window never appeared.
bool DriveModal(const std::string& caption, const std::function<void()>& modal,
                const std::function<void(HWND)>& driver);
