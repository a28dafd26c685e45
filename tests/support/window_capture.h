// Pixels of a window as it paints itself, for tests that look at colours.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A top-down 32-bit image.
struct Image {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;  // 0x00RRGGBB

  bool Empty() const { return Pixels.empty(); }
  COLORREF At(int x, int y) const;
  // Writes a 32-bit BMP, to look at when a comparison fails.
  bool SaveBmp(const std::string& path) const;
};

// An empty image of the given size and a memory DC drawing into it, for
// rendering what a window should look like.
class ImageCanvas {
 public:
  ImageCanvas(int width, int height);
  ~ImageCanvas();
  ImageCanvas(const ImageCanvas&) = delete;
  ImageCanvas& operator=(const ImageCanvas&) = delete;

  HDC Dc() const { return dc_; }
  Image Take() const;

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ displaced_ = nullptr;
  void* bits_ = nullptr;
};

// The client area as the window paints it into a printer-like DC
// (PrintWindow), whatever covers it on the screen.
Image PrintClientArea(HWND window);
// The client area as it stands on the screen now.
Image CopyClientAreaFromScreen(HWND window);
// A rectangle of the screen, in screen coordinates (a window with its frame:
// its window rectangle).
Image CopyScreenArea(const RECT& area);

// Number of pixels that differ; a size mismatch counts every pixel.
int CountDifferentPixels(const Image& a, const Image& b);
