#include "process_resources.h"

#include "driver/ui_driver.h"

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

}  // namespace

int CountProcessWindows() {
  int count = 0;
  for (HWND window : ProcessWindows()) {
    ++count;
    EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&count));
  }
  return count;
}

std::vector<HWND> FindProcessWindows(const std::string& titlePrefix) {
  std::vector<HWND> found;
  for (HWND window : ProcessWindows()) {
    if (WindowCaption(window).compare(0, titlePrefix.size(), titlePrefix) == 0)
      found.push_back(window);
  }
  return found;
}

int ProbeFreeGdiHandles() {
  const int kCap = 200000;  // far above any per-process table
  std::vector<HBRUSH> taken;
  taken.reserve(70000);
  while (static_cast<int>(taken.size()) < kCap) {
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    if (brush == nullptr)
      break;
    taken.push_back(brush);
  }
  for (HBRUSH brush : taken)
    DeleteObject(brush);
  return static_cast<int>(taken.size());
}
