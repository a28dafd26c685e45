// Working a modal window that an export of Stats.dll shows on this thread,
// from a helper thread, as a user at the keyboard would. A command-line run
// must end: every wait is bounded, and so is the export itself.
// Used by dkz-score and the end-to-end tests alike.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Calls `call`, an export that shows a modal window captioned `caption` on
// this thread, while a helper thread waits for that window and hands it to
// `work`, which must close it. After `call` returned, throws
// std::runtime_error when the window never showed, when `work` threw (the
// window is then closed for it) or when it left the window open. When `call`
// does not return in time, the process ends with exit code 1 and a message
// naming `exportName`.
void CallWithModalWindow(const char* caption, const char* exportName,
                         const std::function<void()>& call, const std::function<void(HWND)>& work);
