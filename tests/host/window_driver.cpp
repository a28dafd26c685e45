#include "window_driver.h"

#include <atomic>
#include <thread>

void PumpMessagesFor(DWORD milliseconds) {
  DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds)
      return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
  }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition())
      return true;
    if (GetTickCount() - start >= timeoutMs)
      return false;
    PumpMessagesFor(10);
  }
}

namespace {
BOOL CALLBACK CollectOwnWindow(HWND window, LPARAM list) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId())
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}
}  // namespace

std::vector<HWND> ProcessWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectOwnWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string WindowCaption(HWND window) {
  char text[512] = {};
  // InternalGetWindowText does not send WM_GETTEXT, so a busy window thread
  // cannot block the caller.
  wchar_t wide[512] = {};
  InternalGetWindowText(window, wide, 512);
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return text;
}

HWND FindProcessWindow(const std::string& caption, bool prefix) {
  for (HWND window : ProcessWindows()) {
    if (!IsWindowVisible(window))
      continue;
    std::string text = WindowCaption(window);
    if (prefix ? text.compare(0, caption.size(), caption) == 0 : text == caption)
      return window;
  }
  return nullptr;
}

HWND WaitForProcessWindow(const std::string& caption, DWORD timeoutMs, bool prefix) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindProcessWindow(caption, prefix)) != nullptr; }, timeoutMs);
  return found;
}

bool WaitUntilGone(HWND window, DWORD timeoutMs) {
  return WaitUntil([&] { return !IsWindow(window); }, timeoutMs);
}

bool IsTicked(HWND dialog, int id) {
  DWORD_PTR state = BST_UNCHECKED;
  SendMessageTimeoutA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_NORMAL, 5000, &state);
  return state == BST_CHECKED;
}

void ClickButton(HWND dialog, int id) {
  DWORD_PTR ignored;
  SendMessageTimeoutA(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &ignored);
}

void PressKey(HWND window, UINT virtualKey) {
  PostMessageA(window, WM_KEYDOWN, virtualKey, 1);
  PostMessageA(window, WM_KEYUP, virtualKey, 0xC0000001);
}

void PressCloseBox(HWND window) {
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

bool DriveModal(const std::string& caption, const std::function<void()>& modal,
                const std::function<void(HWND)>& driver) {
  std::atomic<bool> appeared{false};
  std::atomic<bool> returned{false};
  std::thread helper([&] {
    HWND window = nullptr;
    WaitUntil(
        [&] {
          window = FindProcessWindow(caption);
          return window != nullptr || returned;
        },
        10000);
    if (window == nullptr)
      return;
    appeared = true;
    driver(window);
    if (!WaitUntilGone(window, 5000))
      PostMessageA(window, WM_CLOSE, 0, 0);  // the test failed; let `modal` return
  });
  modal();
  returned = true;
  helper.join();
  return appeared;
}
