#pragma once
// A top-down 32-bit DIB section the movie engine draws into and WM_PAINT blits from.
#include <windows.h>

#include <cstdint>

#include "movie/player.h"

namespace hosts::flash {

class DibSurface {
 public:
  DibSurface() = default;
  ~DibSurface();
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  // Makes the section width x height (nothing for an empty size); false on failure.
  bool resize(int width, int height);
  int width() const { return width_; }
  int height() const { return height_; }
  bool valid() const { return bitmap_ != nullptr; }
  movie::PixelView view() const { return {bits_, width_, height_, width_}; }
  void fill(uint32_t argb);
  // Copies the section to dc at (x, y).
  void blit(HDC dc, int x, int y) const;
  HDC dc() const { return dc_; }  // a memory DC with the section selected

 private:
  void release();
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  HDC dc_ = nullptr;
  uint32_t* bits_ = nullptr;
  int width_ = 0, height_ = 0;
};

}  // namespace hosts::flash
