// Shared pieces of the live-window tests: the fake host, the plug-in and a
// scratch folder in the right order, and ways to find and read the windows.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "driver/plugin_host.h"
#include "fake_orvo_host.h"
#include "process_resources.h"

inline std::string WindowTitle(HWND window) {
  char title[256] = {};
  GetWindowTextA(window, title, sizeof title);
  return title;
}

// The district window shows its template caption until the first update,
// then "DKZ CNT on ...".
inline std::vector<HWND> DistrictWindows() {
  std::vector<HWND> found = FindProcessWindows("Japan County");
  for (HWND window : FindProcessWindows("DKZ CNT on "))
    found.push_back(window);
  return found;
}

inline HWND DistrictWindow() {
  std::vector<HWND> found = DistrictWindows();
  return found.size() == 1 ? found[0] : nullptr;
}

inline HostCallCheck Typing(const std::string& call) {
  HostCallCheck check;
  check.Call = call;
  return check;
}

// The order matters: the host's COM apartment first, the plug-in unloaded
// before the host object goes away.
class LiveTest : public ::testing::Test {
 protected:
  explicit LiveTest(FakeOrvoHost::Presence presence = FakeOrvoHost::Presence::kRunning)
      : orvo_(presence) {}
  void TearDown() override {
    if (plugin_)
      plugin_->RunCommand0("HIDEINFO");
    plugin_.reset();
    orvo_.PumpFor(50);  // let the info thread's last calls through
  }

  int Updates() const { return orvo_.CountCalls(FakeOrvoHost::kEntryText); }

  HWND Show() {
    plugin_->RunCommand0("SHOWINFO");
    HWND window = nullptr;
    orvo_.PumpUntil([&] { return (window = DistrictWindow()) != nullptr; }, 3000);
    return window;
  }

  // Waits until `count` live updates have read the entry field and the
  // update has finished (the title changes last but one, so pump a little on).
  bool WaitForUpdates(int count, DWORD timeoutMs = 3000) {
    bool reached = orvo_.PumpUntil([&] { return Updates() >= count; }, timeoutMs);
    orvo_.PumpFor(60);
    return reached;
  }

  ScratchFolder folder_;
  FakeOrvoHost orvo_;
  std::unique_ptr<PluginHost> plugin_ = std::make_unique<PluginHost>();
};
