#include "plugin/live/worked_before_window.h"

#include <array>
#include <string>
#include <vector>

#include "core/contest/contest_rules.h"
#include "core/engine/contest_state.h"
#include "plugin/live/continent_window.h"
#include "plugin/live/live_state.h"
#include "plugin/live/live_windows.h"
#include "plugin/resources/resource_ids.h"
#include "win/offscreen_surface.h"
#include "win/unique_handle.h"

namespace {

const PositionKeys kKeys = {"dxcc_x", "dxcc_y", {10, 400}};
const COLORREF kListBackground = RGB(255, 255, 198);
const COLORREF kCurrentBandRow = RGB(198, 255, 255);
const COLORREF kClosingBackground = RGB(255, 250, 198);
const int kColumns[4] = {20, 100, 180, 270};  // band, time, mode, district or exchange

// The one worked-before window, the info thread's (live_state.h).
SideWindow* g_window = nullptr;

// What one paint shows, copied under the lock so that drawing holds no lock.
struct ListContent {
  std::string Call;
  int Band = kNoBand;
  std::array<std::vector<std::string>, kBandCount> Rows;
};

ListContent CurrentContent() {
  return WithLock([](const LockHeld& held) {
    ListContent content;
    content.Call = Live(held).EnteredCall;
    content.Band = Live(held).CurrentBand;
    for (int b = 0; b < kBandCount; ++b)
      content.Rows[b] = TheContest(held).WorkedBeforeGrid[b];
    return content;
  });
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  Brush brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush.Get());
}

void TextAt(HDC dc, int x, int y, const std::string& text) {
  TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

void WorkedBeforeList::DrawItem(const DRAWITEMSTRUCT& item, HWND owner) {
  ListContent content = CurrentContent();
  const RECT& area = item.rcItem;
  if (content.Call.empty()) {
    {
      OffscreenSurface surface(item.hDC);
      Fill(surface.Handle(), area, kClosingBackground);
    }
    // Posted rather than sent: the window must not be destroyed under the
    // button's own paint.
    PostMessageA(owner, WM_CLOSE, 0, 0);
    return;
  }
  OffscreenSurface surface(item.hDC);
  HDC dc = surface.Handle();
  Fill(dc, area, kListBackground);
  const int rowHeight = area.bottom / 7;
  if (content.Band >= 0 && content.Band < kBandCount) {
    RECT row = {0, (content.Band + 1) * rowHeight, area.right, (content.Band + 2) * rowHeight};
    Fill(dc, row, kCurrentBandRow);
  }
  SetBkMode(dc, TRANSPARENT);
  TextAt(dc, 180, 0, content.Call);
  TextAt(dc, 100, 18, "TIME");
  TextAt(dc, 180, 18, "MODE");
  TextAt(dc, 250, 18, "COUNTY/NR");
  for (int i = 1; i <= kBandCount; ++i) {
    const std::vector<std::string>& texts = content.Rows[i - 1];
    // Rows hold four texts from the first reset on; before it, draw what is there.
    for (size_t column = 0; column < 4 && column < texts.size(); ++column)
      TextAt(dc, kColumns[column], i * rowHeight, texts[column]);
  }
}

WorkedBeforeWindow::WorkedBeforeWindow()
    : SideWindow(IDD_WORKED_BEFORE, g_window, WorkedBeforeWindowHandle, kKeys) {}

void WorkedBeforeWindow::FitList() {
  HWND list = GetDlgItem(Handle(), IDC_WORKED_LIST);
  if (list == nullptr)
    return;
  RECT client;
  GetClientRect(Handle(), &client);
  int width = client.right - 10, height = client.bottom - 10;
  MoveWindow(list, client.left + 5, client.top + 5, width > 0 ? width : 0, height > 0 ? height : 0,
             TRUE);
}

bool WorkedBeforeWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_DRAWITEM:
      if (wParam != IDC_WORKED_LIST)
        return false;
      list_.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), Handle());
      result = TRUE;
      return true;
    case WM_SIZE:
      FitList();
      return false;
    default:
      return SideWindow::OnMessage(message, wParam, lParam, result);
  }
}

void CreateWorkedBeforeWindow() {
  SideWindow::Open<WorkedBeforeWindow>(g_window, WorkedBeforeWindowHandle);
}

void SetWorkedBeforeTitle(const std::string& title) {
  if (g_window != nullptr)
    SetWindowTextA(g_window->Handle(), title.c_str());
}

void InvalidateWorkedBeforeList() {
  if (g_window != nullptr)
    InvalidateRect(GetDlgItem(g_window->Handle(), IDC_WORKED_LIST), nullptr, FALSE);
}

void CloseLiveSideWindows() {
  SideWindow::Close(g_window, WorkedBeforeWindowHandle);
  CloseContinentWindow();
}
