// An off-screen surface: drawing goes into a bitmap that is copied to the
// target in one block when the surface ends, so repaints do not flicker.
#pragma once

#include <windows.h>

class CMemDC {
 public:
  explicit CMemDC(HDC target);
  ~CMemDC();
  CMemDC(const CMemDC&) = delete;
  CMemDC& operator=(const CMemDC&) = delete;

  HDC Handle() const { return dc_; }

 private:
  HDC target_;
  HDC dc_ = nullptr;
  RECT rect_ = {};
  bool offScreen_ = false;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ displaced_ = nullptr;
};
