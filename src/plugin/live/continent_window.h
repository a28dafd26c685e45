// The continent window (template 109): for a Japanese operator, six boxes that
// show which continents are worked on the band the host is tuned to. Always on
// top. Lives on the info thread.
#pragma once

#include "plugin/live/side_window.h"
#include "win/unique_handle.h"

class CCont : public SideWindow {
 public:
  CCont();

  // EU, NA, SA, AF, AS, OC: 1 ticks the box at the next transfer.
  void SetFlags(const int flags[6]);

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  bool OnInit() override;
  void DoDataExchange(DataExchange& exchange) override;

 private:
  int flags_[6] = {};
  Brush brush_;
};

// The end of the info thread: destroys the window, if any, and clears ContinentWindow.
void CloseContinentWindow();
