// An off-screen surface: drawing goes into a bitmap that is copied to the
// target in one block when the surface ends, so repaints do not flicker.
#pragma once

#include <windows.h>

class OffscreenSurface {
 public:
  explicit OffscreenSurface(HDC target);
  ~OffscreenSurface();
  OffscreenSurface(const OffscreenSurface&) = delete;
  OffscreenSurface& operator=(const OffscreenSurface&) = delete;

  HDC Handle() const { return dc_; }

 private:
  HDC target_;
  HDC dc_ = nullptr;
  RECT rect_ = {};
  bool offScreen_ = false;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ displaced_ = nullptr;
};
