#include "hosts/flash/dib_surface.h"

namespace hosts::flash {

DibSurface::~DibSurface() { release(); }

void DibSurface::release() {
  if (dc_) {
    SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
  }
  if (bitmap_) DeleteObject(bitmap_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  oldBitmap_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
}

bool DibSurface::resize(int width, int height) {
  if (width == width_ && height == height_ && bitmap_) return true;
  release();
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows, as the engine writes them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap_ || !bits) {
    release();
    return false;
  }
  dc_ = CreateCompatibleDC(nullptr);
  oldBitmap_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<uint32_t*>(bits);
  width_ = width;
  height_ = height;
  return true;
}

void DibSurface::fill(uint32_t argb) {
  GdiFlush();
  for (int i = 0, n = width_ * height_; i < n; ++i) bits_[i] = argb;
}

void DibSurface::blit(HDC dc, int x, int y) const {
  if (!bitmap_) return;
  GdiFlush();
  BitBlt(dc, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
}

}  // namespace hosts::flash
