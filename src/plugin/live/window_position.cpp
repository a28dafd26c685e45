#include "plugin/live/window_position.h"

#include "core/engine/settings.h"
#include "plugin/live/live_state.h"

void MoveToSavedPosition(HWND window, const PositionKeys& keys) {
  Settings& settings = PluginSettings();
  POINT at = {settings.ReadInt(keys.X), settings.ReadInt(keys.Y)};
  // A stored 0 counts as missing.
  if (at.x == 0)
    at.x = keys.WhenMissing.x;
  if (at.y == 0)
    at.y = keys.WhenMissing.y;
  WithLive([&](LiveState& live) { live.LastSavedPosition = at; });
  SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SavePositionIfMoved(HWND window, const PositionKeys& keys) {
  RECT rect;
  if (!GetWindowRect(window, &rect))
    return;
  bool writeX = false, writeY = false;
  WithLive([&](LiveState& live) {
    POINT& saved = live.LastSavedPosition;
    writeX = rect.left != saved.x;
    writeY = rect.top != saved.y;
    saved = {rect.left, rect.top};
  });
  // A failed write is ignored: the position is simply not stored.
  Settings& settings = PluginSettings();
  if (writeX)
    settings.WriteInt(keys.X, rect.left);
  if (writeY)
    settings.WriteInt(keys.Y, rect.top);
}
