// Working the plug-in's windows from a second thread, as a user would, while
// the test's main thread sits in the export that shows them. Every wait is
// bounded; windows are looked for only in this process, so tests running in
// parallel processes do not see each other's windows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

constexpr DWORD kUiTimeoutMs = 15000;

// A visible top-level window of this process with exactly this caption;
// null when none shows up in time.
HWND WaitForWindow(const char* caption, DWORD timeoutMs = kUiTimeoutMs);
// True when the window is gone (or hidden) in time.
bool WaitForWindowGone(HWND window, DWORD timeoutMs = kUiTimeoutMs);
// Waits until `condition` holds; false on timeout.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kUiTimeoutMs);

// Top-level windows of this process, hidden ones included.
std::vector<HWND> ProcessWindows();
// The caption without a message to the window's thread, which may be busy.
std::string WindowCaption(HWND window);
// Whether a check box shows a tick; waits at most 5 s for the window's thread.
bool IsTicked(HWND dialog, int id);
// What a click on the caption's close box sends.
void PressCloseBox(HWND window);

std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int id);
// The control with the keyboard focus in the thread that runs `window`.
HWND FocusedControl(HWND window);
int FocusedControlId(HWND window);

// Replaces the control's text by typing: selects everything, then sends each
// character as a key would. For a combo box the characters go to its edit part.
void TypeInto(HWND dialog, int id, const std::string& text);
// Presses and releases a key in the control with the focus; the key goes
// through the dialog's own message loop, as the keyboard's would.
void PressKey(HWND window, UINT virtualKey);
// Picks the list entry with exactly this text, as a click in the open list would.
bool PickComboEntry(HWND dialog, int id, const std::string& entry);
// Clicks a push button.
void ClickButton(HWND dialog, int id);

struct MessageBoxSeen {
  bool Found = false;
  std::string Text;
  HWND Owner = nullptr;
  bool Closed = false;  // gone when asked to
};
// Reads an open message box and presses its OK (closes it when it has none).
MessageBoxSeen DismissMessageBox(HWND box, DWORD timeoutMs = kUiTimeoutMs);
// Waits for a message box with this caption, then as above.
MessageBoxSeen DismissMessageBox(const char* caption, DWORD timeoutMs = kUiTimeoutMs);

// A visible top-level window on the calling thread, as the logging program's
// main window; windows the plug-in shows on this thread should belong to it.
class TestMainWindow {
 public:
  TestMainWindow();
  ~TestMainWindow();
  TestMainWindow(const TestMainWindow&) = delete;
  TestMainWindow& operator=(const TestMainWindow&) = delete;
  HWND Handle() const { return window_; }

 private:
  HWND window_ = nullptr;
};

// Runs a user's script on a second thread. Join() waits for it, then closes
// any dialog of this process that the script left open (a script that gave up
// half way must not leave the main thread stuck) and reports whether it had to.
class UiScript {
 public:
  explicit UiScript(std::function<void()> script);
  ~UiScript();
  UiScript(const UiScript&) = delete;
  UiScript& operator=(const UiScript&) = delete;

  // True when the script finished without leaving a dialog behind.
  bool Join();

 private:
  std::thread thread_;
  bool leftOpen_ = false;
};
