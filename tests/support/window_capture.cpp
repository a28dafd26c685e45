#include "window_capture.h"

#include <fstream>

COLORREF Image::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width || y >= Height)
    return CLR_INVALID;
  uint32_t p = Pixels[static_cast<size_t>(y) * Width + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool Image::SaveBmp(const std::string& path) const {
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = Width;
  info.biHeight = -Height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  DWORD bytes = static_cast<DWORD>(Pixels.size() * 4);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + bytes;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(reinterpret_cast<const char*>(Pixels.data()), bytes);
  return static_cast<bool>(out);
}

ImageCanvas::ImageCanvas(int width, int height) : width_(width), height_(height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  dc_ = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
  displaced_ = SelectObject(dc_, bitmap_);
}

ImageCanvas::~ImageCanvas() {
  SelectObject(dc_, displaced_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

Image ImageCanvas::Take() const {
  Image image;
  if (bits_ == nullptr || width_ <= 0 || height_ <= 0)
    return image;
  GdiFlush();
  image.Width = width_;
  image.Height = height_;
  auto* first = static_cast<const uint32_t*>(bits_);
  image.Pixels.assign(first, first + static_cast<size_t>(width_) * height_);
  for (uint32_t& p : image.Pixels)
    p &= 0x00FFFFFF;
  return image;
}

namespace {
SIZE ClientSize(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}
}  // namespace

Image PrintClientArea(HWND window) {
  SIZE size = ClientSize(window);
  ImageCanvas canvas(size.cx, size.cy);
  PrintWindow(window, canvas.Dc(), PW_CLIENTONLY);
  return canvas.Take();
}

Image CopyScreenArea(const RECT& area) {
  ImageCanvas canvas(area.right - area.left, area.bottom - area.top);
  HDC screen = GetDC(nullptr);
  BitBlt(canvas.Dc(), 0, 0, area.right - area.left, area.bottom - area.top, screen, area.left,
         area.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  return canvas.Take();
}

Image CopyClientAreaFromScreen(HWND window) {
  SIZE size = ClientSize(window);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  return CopyScreenArea({origin.x, origin.y, origin.x + size.cx, origin.y + size.cy});
}

int CountDifferentPixels(const Image& a, const Image& b) {
  if (a.Width != b.Width || a.Height != b.Height)
    return static_cast<int>(a.Pixels.size() > b.Pixels.size() ? a.Pixels.size() : b.Pixels.size());
  int different = 0;
  for (size_t i = 0; i < a.Pixels.size(); ++i)
    different += a.Pixels[i] != b.Pixels[i] ? 1 : 0;
  return different;
}
