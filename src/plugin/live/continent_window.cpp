#include "plugin/live/continent_window.h"

#include <algorithm>

#include "plugin/live/live_state.h"
#include "plugin/live/live_windows.h"
#include "plugin/resources/resource_ids.h"
#include "win/control_colours.h"

namespace {

const PositionKeys kKeys = {"cont_x", "cont_y", {10, 400}};
const COLORREF kBackground = RGB(255, 250, 198);
const COLORREF kTextBackground = RGB(255, 240, 198);  // a shade darker than the window
// The control of each continent's box, by the continent's place in the
// contest record (EU, NA, SA, AF, AS, OC).
const int kContinentBoxIds[kContinentCount] = {IDC_CONT_EU, IDC_CONT_NA, IDC_CONT_SA,
                                               IDC_CONT_AF, IDC_CONT_AS, IDC_CONT_OC};

// The one continent window, the info thread's (live_state.h).
SideWindow* g_window = nullptr;

}  // namespace

ContinentWindow::ContinentWindow()
    : SideWindow(IDD_CONTINENTS, g_window, ContinentWindowHandle, kKeys) {}

void ContinentWindow::ExchangeFields(DataExchange& exchange) {
  for (int i = 0; i < kContinentCount; ++i)
    exchange.Check(kContinentBoxIds[i], flags_[i]);
}

void ContinentWindow::SetFlags(const int flags[kContinentCount]) {
  std::copy(flags, flags + kContinentCount, flags_);
}

bool ContinentWindow::OnInit() {
  brush_.Reset(CreateSolidBrush(kBackground));
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return SideWindow::OnInit();
}

bool ContinentWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (AnswerControlColour(message, wParam, kTextBackground, brush_.Get(), result))
    return true;
  return SideWindow::OnMessage(message, wParam, lParam, result);
}

void CreateContinentWindow() {
  SideWindow::Open<ContinentWindow>(g_window, ContinentWindowHandle);
}

void RefreshContinentWindow(const int flags[kContinentCount]) {
  if (g_window == nullptr)
    return;
  static_cast<ContinentWindow*>(g_window)->SetFlags(flags);
  g_window->ShowFields();
}

void CloseContinentWindow() {
  SideWindow::Close(g_window, ContinentWindowHandle);
}
