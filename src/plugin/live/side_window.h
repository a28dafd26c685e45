// What the worked-before and continent windows share: each is modeless on the
// info thread, exists at most once, is reached by other threads only through
// its handle reference, opens where it was left and remembers where it is.
#pragma once

#include <windows.h>

#include <atomic>

#include "plugin/live/window_position.h"
#include "win/dialog.h"

class SideWindow : public DialogBase {
 public:
  // Creates the window modelessly and shows it; with one already in `slot`,
  // only refreshes the reference.
  template <typename Window>
  static void Open(SideWindow*& slot, std::atomic<HWND>& reference) {
    if (slot != nullptr)
      reference = slot->Handle();
    else
      Show(new Window());
  }

  // Sends WM_CLOSE to the window in `slot`, if any, which destroys it, frees
  // its object and clears `slot`; the reference is cleared in any case.
  static void Close(SideWindow*& slot, std::atomic<HWND>& reference);

 protected:
  SideWindow(int templateId, SideWindow*& slot, std::atomic<HWND>& reference,
             const PositionKeys& keys);

  bool OnInit() override;  // placement and icon; takes no focus
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void OnDestroyed() override;

 private:
  static void Show(SideWindow* window);

  SideWindow*& slot_;
  std::atomic<HWND>& reference_;
  const PositionKeys keys_;
  HWND window_ = nullptr;  // kept for the end, when Handle() is null already
};
