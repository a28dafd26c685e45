#include "plugin/live/district_window.h"

#include "plugin/live/live_state.h"
#include "plugin/resources/resource_ids.h"
#include "win/control_colours.h"
#include "win/module.h"

namespace {

const COLORREF kBackground = RGB(255, 250, 198);
const UINT kFirstUpdateMs = 300;
const UINT kLaterUpdateMs = 330;
const UINT kWindowReadyMessage = WM_APP + 2;
// The district window has no default place: a missing position is (0, 0).
const PositionKeys kKeys = {"oblast_x", "oblast_y", {0, 0}};

// The control of each district's box, by the district's place in the contest
// record (AC ... YN).
const int kDistrictBoxIds[kDistrictCount] = {
    1015, 1033, 1087, 1081, 1016, 1034, 1052, 1088, 1082, 1017, 1035, 1070, 1089, 1086, 1018, 1038,
    1069, 1053, 1071, 1051, 1019, 1036, 1090, 1084, 1020, 1037, 1055, 1091, 1083, 1021, 1039, 1073,
    1092, 1093, 1022, 1040, 1074, 1056, 1072, 1054, 1041, 1076, 1094, 1095, 1023, 1042, 1077, 1058,
    1075, 1057, 1043, 1079, 1060, 1078, 1059, 1044, 1085, 1062, 1080, 1061, 1096, 1097};

}  // namespace

DistrictWindow::DistrictWindow(HostConnection& host, const std::atomic<bool>& stopRequested,
                               HANDLE ready)
    : DialogBase(IDD_DISTRICTS), host_(host), stopRequested_(stopRequested), ready_(ready) {}

bool DistrictWindow::OnInit() {
  // Publish the window before looking at the stop flag: a stop that comes in
  // between sees the handle and closes it, or we see its flag.
  DistrictWindowHandle.store(Handle());
  // Ready once the dialog manager has shown the window and runs its loop.
  PostMessageA(Handle(), kWindowReadyMessage, 0, 0);
  if (stopRequested_.load()) {
    OnCancel();
    return true;
  }
  MoveToSavedPosition(Handle(), kKeys);
  brush_.Reset(CreateSolidBrush(kBackground));
  SetTimer(Handle(), kUpdateTimerId, kFirstUpdateMs, nullptr);
  SendMessageA(
      Handle(), WM_SETICON, ICON_BIG,
      reinterpret_cast<LPARAM>(LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(IDI_INFO_WINDOWS))));
  return true;
}

void DistrictWindow::ExchangeFields(DataExchange& exchange) {
  for (int i = 0; i < kDistrictCount; ++i)
    exchange.Check(kDistrictBoxIds[i], ticks_[i]);
}

void DistrictWindow::OnCancel() {
  closing_ = true;
  KillTimer(Handle(), kUpdateTimerId);
  DialogBase::OnCancel();
}

bool DistrictWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (AnswerControlColour(message, wParam, kBackground, brush_.Get(), result))
    return true;
  switch (message) {
    case WM_TIMER:
      OnTimer();
      result = 0;
      return true;
    case kArmTimerMessage:
      ArmPending.store(false);  // before arming: a call check from now on posts again
      if (!closing_ && !stopRequested_.load())
        SetTimer(Handle(), kUpdateTimerId, static_cast<UINT>(wParam), nullptr);
      result = 0;
      return true;
    case kWindowReadyMessage:
      SetEvent(ready_);
      result = 0;
      return true;
    case WM_SETCURSOR:
      SavePositionIfMoved(Handle(), kKeys);
      return false;  // the default handling keeps the usual cursor shape
    case WM_DESTROY: {
      HWND self = Handle();
      DistrictWindowHandle.compare_exchange_strong(self, nullptr);
      return false;
    }
    default:
      return DialogBase::OnMessage(message, wParam, lParam, result);
  }
}

void DistrictWindow::OnTimer() {
  KillTimer(Handle(), kUpdateTimerId);  // each arming gives one update
  if (updating_) {
    // Fired while an update waits for the host: run once more after it.
    updateWanted_ = true;
    return;
  }
  struct Running {
    bool& Flag;
    explicit Running(bool& flag) : Flag(flag) { Flag = true; }
    ~Running() { Flag = false; }
  } running(updating_);
  updateWanted_ = false;
  LiveUpdate();
  if (updateWanted_ && !closing_ && !stopRequested_.load())
    SetTimer(Handle(), kUpdateTimerId, kLaterUpdateMs, nullptr);
}

bool DistrictWindow::CancelIfStoppedDuring(HostCall call) {
  if (!closing_ && stopRequested_.load())
    OnCancel();
  return closing_ || call == HostCall::kFailed;
}
