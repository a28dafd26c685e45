#include "gui_resource_probe.h"

#include <windows.h>

#include <vector>

#include "window_driver.h"

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int CountWindows() {
  int count = 0;
  for (HWND window : ProcessWindows()) {
    ++count;
    EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&count));
  }
  return count;
}

// The handle table is finite: the objects in use are its size less what can
// still be made. Only differences between two probes mean anything.
int ProbeGdiObjects() {
  const int kTableLimit = 1 << 17;  // above any table size Wine has used
  std::vector<HBRUSH> made;
  made.reserve(1 << 16);
  for (int i = 0; i < kTableLimit; ++i) {
    HBRUSH brush = CreateSolidBrush(RGB(i & 0xFF, 1, 2));
    if (brush == nullptr)
      break;
    made.push_back(brush);
  }
  for (HBRUSH brush : made)
    DeleteObject(brush);
  return kTableLimit - static_cast<int>(made.size());
}

}  // namespace

std::string GuiResources::Describe() const {
  return std::to_string(Windows) + " windows, " + std::to_string(GdiObjects) + " GDI objects";
}

GuiResources MeasureGuiResources() {
  GuiResources result;
  result.Windows = CountWindows();
  DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  result.GdiObjects = gdi != 0 ? static_cast<int>(gdi) : ProbeGdiObjects();
  return result;
}
