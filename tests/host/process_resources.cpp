#include "process_resources.h"

namespace {

bool OwnWindow(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId();
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
  if (OwnWindow(window)) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, CountChild, count);
  }
  return TRUE;
}

struct TitleSearch {
  std::string Prefix;
  std::vector<HWND> Found;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TitleSearch*>(param);
  if (!OwnWindow(window))
    return TRUE;
  char title[256] = {};
  GetWindowTextA(window, title, sizeof title);
  if (std::string(title).compare(0, search->Prefix.size(), search->Prefix) == 0)
    search->Found.push_back(window);
  return TRUE;
}

}  // namespace

int CountProcessWindows() {
  int count = 0;
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
  return count;
}

std::vector<HWND> FindProcessWindows(const std::string& titlePrefix) {
  TitleSearch search{titlePrefix, {}};
  EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
  return search.Found;
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
