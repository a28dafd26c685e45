// Where the worked-before and continent windows open, and how they remember
// where the operator moved them. The position pair LastSavedPosition is
// shared with the district window: a key is written only when the window's
// edge differs from the value that any of the three last read or wrote.
#pragma once

#include <windows.h>

struct PositionKeys {
  const char* X;  // "dxcc_x", "cont_x"
  const char* Y;
};

// Reads the keys (a missing, non-numeric or zero value gives x 10, y 400),
// remembers the result in LastSavedPosition and moves the window there,
// keeping its size and z-order.
void MoveToSavedPosition(HWND window, const PositionKeys& keys);

// On WM_SETCURSOR: writes each edge that differs from LastSavedPosition.
void SavePositionIfMoved(HWND window, const PositionKeys& keys);
