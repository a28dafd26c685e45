#include "live/continent_window.h"

#include "live/live_state.h"
#include "live/live_windows.h"
#include "live/side_window_position.h"
#include "resources/resource_ids.h"
#include "win/module.h"

namespace {

const PositionKeys kKeys = {"cont_x", "cont_y"};
const COLORREF kBackground = RGB(255, 250, 198);
const COLORREF kTextBackground = RGB(255, 240, 198);  // a shade darker than the window
const int kBoxes[6] = {IDC_CONT_EU, IDC_CONT_NA, IDC_CONT_SA,
                       IDC_CONT_AF, IDC_CONT_AS, IDC_CONT_OC};

// The one continent window; touched on the info thread only.
CCont* g_window = nullptr;

}  // namespace

CCont::CCont() : DialogBase(IDD_CONTINENTS) {}

CCont::~CCont() {
  if (brush_ != nullptr)
    DeleteObject(brush_);
}

void CCont::DoDataExchange(DataExchange& exchange) {
  for (int i = 0; i < 6; ++i)
    exchange.Check(kBoxes[i], Flags[i]);
}

bool CCont::OnInit() {
  window_ = Handle();
  MoveToSavedPosition(window_, kKeys);
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  brush_ = CreateSolidBrush(kBackground);
  SendMessageA(
      window_, WM_SETICON, ICON_BIG,
      reinterpret_cast<LPARAM>(LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(IDI_INFO_WINDOWS))));
  return true;
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
      result = reinterpret_cast<INT_PTR>(brush_);
      return true;
    }
    case WM_SETCURSOR:
      SavePositionIfMoved(Handle(), kKeys);
      return false;  // the default sets the cursor shape
    case WM_SYSCOMMAND:
      // The close box only dismisses the window: the next live update would
      // otherwise bring it straight back. It returns with the next start.
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        ShowWindow(Handle(), SW_HIDE);
        result = TRUE;
        return true;
      }
      return false;
    default:
      // WM_CLOSE (the stop, the end of the info thread) destroys the window.
      return DialogBase::OnMessage(message, wParam, lParam, result);
  }
}

void CCont::OnDestroyed() {
  HWND expected = window_;
  ContinentWindow.compare_exchange_strong(expected, nullptr);
  if (g_window == this)
    g_window = nullptr;
  delete this;
}

void CreateContinentWindow() {
  if (g_window != nullptr) {
    ContinentWindow = g_window->Handle();  // one window at a time
    return;
  }
  auto* window = new CCont();
  HWND handle = window->CreateModeless(nullptr);
  if (handle == nullptr) {
    delete window;  // it never reached its initialisation
    return;
  }
  g_window = window;
  ContinentWindow = handle;
}

void RefreshContinentWindow(const int flags[6]) {
  if (g_window == nullptr)
    return;
  for (int i = 0; i < 6; ++i)
    g_window->Flags[i] = flags[i];
  g_window->UpdateData(false);
}

void CloseContinentWindow() {
  if (g_window != nullptr)
    SendMessageA(g_window->Handle(), WM_CLOSE, 0, 0);
  ContinentWindow = nullptr;
}
