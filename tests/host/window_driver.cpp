#include "window_driver.h"

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
  wchar_t wide[512] = {};
  int length = InternalGetWindowText(window, wide, 512);
  char text[1024] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, length, text, sizeof text - 1, nullptr, nullptr);
  return text;
}

bool IsTicked(HWND dialog, int id) {
  DWORD_PTR state = BST_UNCHECKED;
  SendMessageTimeoutA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_NORMAL, 5000, &state);
  return state == BST_CHECKED;
}

void PressCloseBox(HWND window) {
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}
