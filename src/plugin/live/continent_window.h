// The continent window (template 109): for an operator whose continents
// multiply (a Japanese one), a box per continent, ticked when the continent is
// worked on the band the host is tuned to. Always on top. Lives on the info
// thread.
#pragma once

#include "core/contest/contest_rules.h"
#include "plugin/live/side_window.h"
#include "win/unique_handle.h"

class ContinentWindow : public SideWindow {
 public:
  ContinentWindow();

  // One flag per continent of the contest record: 1 ticks its box when the
  // fields are next shown.
  void SetFlags(const int flags[kContinentCount]);

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  bool OnInit() override;
  void ExchangeFields(DataExchange& exchange) override;

 private:
  int flags_[kContinentCount] = {};
  Brush brush_;
};

// The end of the info thread: destroys the window, if any, and clears ContinentWindowHandle.
void CloseContinentWindow();
