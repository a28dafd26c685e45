// The worked-before window (template 108): while a callsign is typed, its last
// QSO on each band, drawn by one owner-drawn button. Lives on the info thread.
#pragma once

#include "plugin/live/side_window.h"

// The list control (1003). It has no data of its own: its drawing reads the
// entered callsign, the current band and the worked-before grid.
class WorkedBeforeList {
 public:
  // Paints the list through an off-screen surface. With no callsign entered
  // it paints the background and asks `owner` to close.
  void DrawItem(const DRAWITEMSTRUCT& item, HWND owner);
};

class WorkedBeforeWindow : public SideWindow {
 public:
  WorkedBeforeWindow();

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void FitList();

  WorkedBeforeList list_;
};
