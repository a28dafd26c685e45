#include "win/offscreen_surface.h"

OffscreenSurface::OffscreenSurface(HDC target) : target_(target), dc_(target) {
  GetClipBox(target_, &rect_);
  // A printer context, or a bitmap that cannot be made, is drawn straight into.
  if (GetDeviceCaps(target_, TECHNOLOGY) == DT_RASPRINTER)
    return;
  HDC memory = CreateCompatibleDC(target_);
  if (memory == nullptr)
    return;
  bitmap_ = CreateCompatibleBitmap(target_, rect_.right - rect_.left, rect_.bottom - rect_.top);
  if (bitmap_ == nullptr) {
    DeleteDC(memory);
    return;
  }
  displaced_ = SelectObject(memory, bitmap_);
  SetWindowOrgEx(memory, rect_.left, rect_.top, nullptr);
  dc_ = memory;
  offScreen_ = true;
}

OffscreenSurface::~OffscreenSurface() {
  if (!offScreen_)
    return;
  BitBlt(target_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top, dc_,
         rect_.left, rect_.top, SRCCOPY);
  SelectObject(dc_, displaced_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}
