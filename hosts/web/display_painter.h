#pragma once
// Paints the page engine's display list onto a device context with GDI: rectangles with
// brushes, text with ExtTextOutW in the measurer's fonts, images as premultiplied 32-bit
// DIB sections through AlphaBlend. Clips nest with SaveDC / IntersectClipRect.
#include <windows.h>

#include <memory>
#include <vector>

#include "hosts/web/gdi_text_measurer.h"
#include "page/page.h"

namespace hosts::web {

// The frames of decoded images as DIB sections, made on first paint and kept while the
// page lives, so an animation step is only a blit.
class ImageBitmapCache {
 public:
  ImageBitmapCache() = default;
  ~ImageBitmapCache();
  ImageBitmapCache(const ImageBitmapCache&) = delete;
  ImageBitmapCache& operator=(const ImageBitmapCache&) = delete;

  HBITMAP bitmap(const std::shared_ptr<const page::Image>& image, int frame);
  void clear();

 private:
  struct Entry {
    std::shared_ptr<const page::Image> image;  // keeps the key alive
    int frame;
    HBITMAP bitmap;
  };
  static constexpr size_t kMaxBitmaps = 512;
  std::vector<Entry> entries_;
};

class DisplayPainter {
 public:
  DisplayPainter(GdiFontCache& fonts, ImageBitmapCache& images) : fonts_(fonts), images_(images) {}
  void paint(HDC dc, const page::DisplayList& items);

 private:
  void fill(HDC dc, const page::DisplayItem& item);
  void text(HDC dc, const page::DisplayItem& item);
  void image(HDC dc, const page::DisplayItem& item);

  GdiFontCache& fonts_;
  ImageBitmapCache& images_;
};

// 0xAARRGGBB to GDI's 0x00BBGGRR.
inline COLORREF toColorRef(page::Color c) {
  return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

}  // namespace hosts::web
