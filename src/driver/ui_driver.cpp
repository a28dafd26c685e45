#include "driver/ui_driver.h"

#include <vector>

namespace {

constexpr DWORD kPollMs = 20;

// Every message to another thread's window is bounded: a thread that stopped
// answering must fail the test, not hang it.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kUiTimeoutMs, &result))
    return -1;
  return static_cast<LRESULT>(result);
}

// Visible windows of this process with this caption, or visible dialogs when
// `caption` is null.
std::vector<HWND> OurWindows(const char* caption) {
  std::vector<HWND> found;
  for (HWND window : ProcessWindows()) {
    if (!IsWindowVisible(window))
      continue;
    if (caption != nullptr) {
      if (WindowCaption(window) == caption)
        found.push_back(window);
    } else {
      char className[16] = {};
      GetClassNameA(window, className, sizeof className);
      if (std::string(className) == "#32770")
        found.push_back(window);
    }
  }
  return found;
}

BOOL CALLBACK CollectOwnWindow(HWND window, LPARAM list) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId())
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

HWND EditPart(HWND control) {
  char className[16] = {};
  GetClassNameA(control, className, sizeof className);
  if (lstrcmpiA(className, "ComboBox") != 0)
    return control;
  HWND edit = FindWindowExA(control, nullptr, "Edit", nullptr);
  return edit != nullptr ? edit : control;
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

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition())
      return true;
    if (GetTickCount() - start >= timeoutMs)
      return false;
    Sleep(kPollMs);
  }
}

HWND WaitForWindow(const char* caption, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        std::vector<HWND> windows = OurWindows(caption);
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs) {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

std::string WindowText(HWND window) {
  // WM_GETTEXT rather than GetWindowText: the window belongs to another thread.
  LRESULT length = Send(window, WM_GETTEXTLENGTH, 0, 0);
  std::vector<char> buffer(static_cast<size_t>(length > 0 ? length : 0) + 1);
  Send(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  return buffer.data();
}

std::string ControlText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control != nullptr ? WindowText(control) : "<no control>";
}

HWND FocusedControl(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
    return nullptr;
  return info.hwndFocus;
}

int FocusedControlId(HWND dialog) {
  // The edit part of a combo box has the focus; the combo box is the control.
  for (HWND control = FocusedControl(dialog); control != nullptr; control = GetParent(control)) {
    if (GetParent(control) == dialog)
      return GetDlgCtrlID(control);
  }
  return 0;
}

void TypeInto(HWND dialog, int id, const std::string& text) {
  HWND target = EditPart(GetDlgItem(dialog, id));
  Send(target, EM_SETSEL, 0, -1);
  if (text.empty()) {
    Send(target, WM_CHAR, VK_BACK, 1);
    return;
  }
  // '\r' is the character of the Enter key, '\n' that of Ctrl+Enter.
  for (char c : text)
    Send(target, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void PressKey(HWND window, UINT virtualKey) {
  HWND target = FocusedControl(window);
  if (target == nullptr)
    target = window;
  LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  PostMessageA(target, WM_KEYDOWN, virtualKey, scan | 1);
  PostMessageA(target, WM_KEYUP, virtualKey, scan | 1 | (3u << 30));
}

bool PickComboEntry(HWND dialog, int id, const std::string& entry) {
  HWND combo = GetDlgItem(dialog, id);
  LRESULT index = Send(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>(entry.c_str()));
  if (index == CB_ERR)
    return false;
  Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  Send(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  Send(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
  return true;
}

void ClickButton(HWND dialog, int id) {
  // Posted: the click may end the dialog, and the main thread answers in its own time.
  PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

MessageBoxSeen DismissMessageBox(HWND box, DWORD timeoutMs) {
  MessageBoxSeen seen;
  seen.Found = true;
  seen.Owner = GetWindow(box, GW_OWNER);
  seen.Text = ControlText(box, 0xFFFF);  // the message's static control
  if (GetDlgItem(box, IDOK) != nullptr) {
    ClickButton(box, IDOK);
  } else {
    PostMessageA(box, WM_CLOSE, 0, 0);
  }
  seen.Closed = WaitForWindowGone(box, timeoutMs);
  return seen;
}

MessageBoxSeen DismissMessageBox(const char* caption, DWORD timeoutMs) {
  HWND box = WaitForWindow(caption, timeoutMs);
  return box != nullptr ? DismissMessageBox(box, timeoutMs) : MessageBoxSeen();
}

TestMainWindow::TestMainWindow() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "DkzTestMainWindow";
  RegisterClassA(&windowClass);  // fails harmlessly when already registered
  window_ = CreateWindowExA(0, windowClass.lpszClassName, "Test host", WS_OVERLAPPEDWINDOW, 10, 10,
                            400, 300, nullptr, nullptr, windowClass.hInstance, nullptr);
  ShowWindow(window_, SW_SHOWNORMAL);
}

TestMainWindow::~TestMainWindow() {
  DestroyWindow(window_);
}

UiScript::UiScript(std::function<void()> script) {
  thread_ = std::thread([this, script] {
    bool finished = false;
    try {
      script();
      finished = true;
    } catch (...) {
    }
    // A finished script closed what it opened; give the dialogs a moment to go.
    bool clear = WaitUntil([] { return OurWindows(nullptr).empty(); }, finished ? 3000 : 0);
    if (!clear || !finished) {
      leftOpen_ = true;
      for (HWND window : OurWindows(nullptr))
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
  });
}

UiScript::~UiScript() {
  if (thread_.joinable())
    thread_.join();
}

bool UiScript::Join() {
  if (thread_.joinable())
    thread_.join();
  return !leftOpen_;
}
