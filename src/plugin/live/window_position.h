// Where the three live windows open, and how they remember where the
// operator moved them. They share the pair LastSavedPosition: a key is written
// only when the window's edge differs from the value that any of the three
// last read or wrote.
#pragma once

#include <windows.h>

struct PositionKeys {
  const char* X;  // "oblast_x", "dxcc_x", "cont_x"
  const char* Y;
  POINT WhenMissing;  // replaces a missing, non-numeric or zero coordinate
};

// Reads the keys, remembers the result in LastSavedPosition and moves the
// window there, keeping its size and z-order and without activating it.
void MoveToSavedPosition(HWND window, const PositionKeys& keys);

// On WM_SETCURSOR: writes each edge that differs from LastSavedPosition.
void SavePositionIfMoved(HWND window, const PositionKeys& keys);
