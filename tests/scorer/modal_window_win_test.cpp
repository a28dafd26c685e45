// The helper that works a modal window while this thread sits in the call
// that shows it: a window that never shows, or a helper that fails, must end
// in a clear error, never in a wait.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>

#include "driver/modal_window.h"
#include "driver/ui_driver.h"

namespace {

TEST(ModalWindow, WorksTheWindowOrSaysWhyNot) {
  const auto showBox = [] { MessageBoxA(nullptr, "hello", "Output", MB_OK); };
  const auto pressOk = [](HWND box) {
    ClickButton(box, IDOK);
    WaitForWindowGone(box);
  };
  const struct {
    const char* Case;
    std::function<void()> Call;
    std::function<void(HWND)> Work;
    const char* Error;  // null: none
  } cases[] = {
      {"worked", showBox, pressOk, nullptr},
      {"never shown", [] {}, pressOk, "GetResult0 showed no \"Output\" window"},
      {"helper failed", showBox, [](HWND) { throw std::runtime_error("cannot type"); },
       "cannot type"},
      {"left open", showBox, [](HWND) {}, "the \"Output\" window stayed open"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Case);
    DWORD start = GetTickCount();
    try {
      CallWithModalWindow("Output", "GetResult0", c.Call, c.Work);
      EXPECT_EQ(c.Error, nullptr);
    } catch (const std::runtime_error& e) {
      EXPECT_STREQ(e.what(), c.Error);
    }
    // Far below the helper's own bound: it stops looking when the call is back.
    EXPECT_LT(GetTickCount() - start, 15000u);
  }
}

}  // namespace
