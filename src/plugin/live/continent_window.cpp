#include "plugin/live/continent_window.h"

#include <algorithm>

#include "plugin/live/live_state.h"
#include "plugin/live/live_windows.h"
#include "plugin/resources/resource_ids.h"

namespace {

const PositionKeys kKeys = {"cont_x", "cont_y", {10, 400}};
const COLORREF kBackground = RGB(255, 250, 198);
const COLORREF kTextBackground = RGB(255, 240, 198);  // a shade darker than the window
const int kBoxes[6] = {IDC_CONT_EU, IDC_CONT_NA, IDC_CONT_SA,
                       IDC_CONT_AF, IDC_CONT_AS, IDC_CONT_OC};

// The one continent window; touched on the info thread only.
SideWindow* g_window = nullptr;

}  // namespace

CCont::CCont() : SideWindow(IDD_CONTINENTS, g_window, ContinentWindow, kKeys) {}

void CCont::DoDataExchange(DataExchange& exchange) {
  for (int i = 0; i < 6; ++i)
    exchange.Check(kBoxes[i], flags_[i]);
}

void CCont::SetFlags(const int flags[6]) {
  std::copy(flags, flags + 6, flags_);
}

bool CCont::OnInit() {
  brush_.Reset(CreateSolidBrush(kBackground));
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return SideWindow::OnInit();
}

bool CCont::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, kTextBackground);
      result = reinterpret_cast<INT_PTR>(brush_.Get());
      return true;
    }
    default:
      return SideWindow::OnMessage(message, wParam, lParam, result);
  }
}

void CreateContinentWindow() {
  SideWindow::Open<CCont>(g_window, ContinentWindow);
}

void RefreshContinentWindow(const int flags[6]) {
  if (g_window == nullptr)
    return;
  static_cast<CCont*>(g_window)->SetFlags(flags);
  g_window->UpdateData(false);
}

void CloseContinentWindow() {
  SideWindow::Close(g_window, ContinentWindow);
}
