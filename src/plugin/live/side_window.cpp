#include "plugin/live/side_window.h"

#include "plugin/resources/resource_ids.h"
#include "win/module.h"

SideWindow::SideWindow(int templateId, SideWindow*& slot, std::atomic<HWND>& reference,
                       const PositionKeys& keys)
    : DialogBase(templateId), slot_(slot), reference_(reference), keys_(keys) {}

void SideWindow::Show(SideWindow* window) {
  // The operator is typing into the host: a window that pops up must not take
  // the keyboard from its entry field.
  HWND handle = window->CreateModeless(nullptr, SW_SHOWNOACTIVATE);
  if (handle == nullptr) {
    delete window;  // it never reached its initialisation
    return;
  }
  window->slot_ = window;
  window->reference_ = handle;
}

void SideWindow::Close(SideWindow*& slot, std::atomic<HWND>& reference) {
  if (slot != nullptr)
    SendMessageA(slot->Handle(), WM_CLOSE, 0, 0);
  reference = nullptr;
}

bool SideWindow::OnInit() {
  window_ = Handle();
  MoveToSavedPosition(window_, keys_);
  SendMessageA(
      window_, WM_SETICON, ICON_BIG,
      reinterpret_cast<LPARAM>(LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(IDI_INFO_WINDOWS))));
  return false;  // no default focus: the keyboard stays with the host
}

bool SideWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_SETCURSOR:
      SavePositionIfMoved(Handle(), keys_);
      return false;  // the default sets the cursor shape
    case WM_SYSCOMMAND:
      // The close box only dismisses the window until the next start, as the
      // next live update would otherwise bring it straight back.
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        ShowWindow(Handle(), SW_HIDE);
        result = TRUE;
        return true;
      }
      return false;
    default:
      // WM_CLOSE (the stop, the end of the info thread, the worked-before
      // list's own close) destroys the window; its object goes with it.
      return DialogBase::OnMessage(message, wParam, lParam, result);
  }
}

void SideWindow::OnDestroyed() {
  HWND expected = window_;
  reference_.compare_exchange_strong(expected, nullptr);
  if (slot_ == this)
    slot_ = nullptr;
  delete this;
}
