// The host simulator's modal-window helper, its failures failing the test.
#pragma once

#include <gtest/gtest.h>

#include <stdexcept>

#include "driver/modal_window.h"

inline void CallWithModalWindowChecked(const char* caption, const char* exportName,
                                       const std::function<void()>& call,
                                       const std::function<void(HWND)>& work) {
  try {
    CallWithModalWindow(caption, exportName, call, work);
  } catch (const std::exception& e) {
    ADD_FAILURE() << e.what();
  }
}
