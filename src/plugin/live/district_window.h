// The district window (template 106): one box per district, ticked for the
// band the host is tuned to. It runs modally on the info thread and runs the
// live update whenever its one-shot timer fires.
#pragma once

#include <windows.h>

#include <atomic>

#include "core/contest/contest_rules.h"
#include "plugin/live/host_client.h"
#include "plugin/live/window_position.h"
#include "win/dialog.h"
#include "win/unique_handle.h"

// Posted by the host's thread to re-arm the update timer; wParam is the delay
// in milliseconds. Only the window's own thread may call SetTimer on it.
constexpr UINT kArmTimerMessage = WM_APP + 1;
constexpr UINT_PTR kUpdateTimerId = 1500;

class DistrictWindow : public DialogBase {
 public:
  // `host` is the info thread's own connection; `stopRequested` is raised by
  // the host's thread when it wants the windows gone; `ready` is signalled
  // once the window is shown and its message loop runs.
  DistrictWindow(HostConnection& host, const std::atomic<bool>& stopRequested, HANDLE ready);

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  bool OnInit() override;
  void ExchangeFields(DataExchange& exchange) override;
  void OnOK() override { OnCancel(); }  // nothing reads the boxes back
  void OnCancel() override;

 private:
  void OnTimer();
  void LiveUpdate();
  // After every host call, which lets messages in: cancels the window when a
  // stop came in meanwhile (its WM_CLOSE may not have got through). True when
  // the live update must end here: the window is closing, or the call failed.
  bool CancelIfStoppedDuring(HostCall call);

  HostConnection& host_;
  const std::atomic<bool>& stopRequested_;
  const HANDLE ready_;
  Brush brush_;
  int ticks_[kDistrictCount] = {};  // by the districts' place in the contest record
  bool closing_ = false;
  bool updating_ = false;      // a live update is on the stack (it may wait for the host)
  bool updateWanted_ = false;  // the timer fired during it
};
