#include "hosts/web/display_painter.h"

#include <algorithm>
#include <cstring>

namespace hosts::web {

namespace {
constexpr int kMaxClipDepth = 256;  // deeper pushes are ignored and so are their pops
}

ImageBitmapCache::~ImageBitmapCache() { clear(); }

void ImageBitmapCache::clear() {
  for (auto& e : entries_) DeleteObject(e.bitmap);
  entries_.clear();
}

HBITMAP ImageBitmapCache::bitmap(const std::shared_ptr<const page::Image>& image, int frame) {
  if (!image || image->width <= 0 || image->height <= 0 || frame < 0 ||
      frame >= static_cast<int>(image->frames.size()))
    return nullptr;
  for (auto& e : entries_)
    if (e.image == image && e.frame == frame) return e.bitmap;
  const auto& pixels = image->frames[frame].pixels;
  if (pixels.size() < static_cast<size_t>(image->width) * image->height) return nullptr;
  if (entries_.size() >= kMaxBitmaps) {
    DeleteObject(entries_.front().bitmap);
    entries_.erase(entries_.begin());
  }
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = image->width;
  bi.bmiHeader.biHeight = -image->height;  // top-down, as the engine stores rows
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp || !bits) return nullptr;
  // Premultiplied 0xAARRGGBB is byte for byte the BGRA a 32-bit DIB holds.
  std::memcpy(bits, pixels.data(), static_cast<size_t>(image->width) * image->height * 4);
  GdiFlush();
  entries_.push_back({image, frame, bmp});
  return bmp;
}

void DisplayPainter::paint(HDC dc, const page::DisplayList& items) {
  int depth = 0, ignored = 0;
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  for (const auto& item : items) {
    switch (item.kind) {
      case page::ItemKind::FillRect: fill(dc, item); break;
      case page::ItemKind::Text: text(dc, item); break;
      case page::ItemKind::Image: image(dc, item); break;
      case page::ItemKind::PushClip:
        if (depth >= kMaxClipDepth) { ++ignored; break; }
        SaveDC(dc);
        ++depth;
        IntersectClipRect(dc, item.rect.x, item.rect.y, item.rect.x + item.rect.width,
                          item.rect.y + item.rect.height);
        break;
      case page::ItemKind::PopClip:
        if (ignored > 0) { --ignored; break; }
        if (depth > 0) { RestoreDC(dc, -1); --depth; }
        break;
    }
  }
  while (depth-- > 0) RestoreDC(dc, -1);
}

void DisplayPainter::fill(HDC dc, const page::DisplayItem& item) {
  if (item.rect.width <= 0 || item.rect.height <= 0) return;
  RECT r{item.rect.x, item.rect.y, item.rect.x + item.rect.width, item.rect.y + item.rect.height};
  HBRUSH brush = CreateSolidBrush(toColorRef(item.color));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void DisplayPainter::text(HDC dc, const page::DisplayItem& item) {
  if (item.text.empty()) return;
  std::wstring w = toWide(item.text);
  HGDIOBJ old = SelectObject(dc, fonts_.font(item.font));
  SetTextColor(dc, toColorRef(item.color));
  ExtTextOutW(dc, item.rect.x, item.baseline, 0, nullptr, w.data(), static_cast<UINT>(w.size()),
              nullptr);
  SelectObject(dc, old);
}

void DisplayPainter::image(HDC dc, const page::DisplayItem& item) {
  if (item.rect.width <= 0 || item.rect.height <= 0 || !item.image) return;
  HBITMAP bmp = images_.bitmap(item.image, item.frame);
  if (!bmp) return;
  HDC src = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(src, bmp);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, item.rect.x, item.rect.y, item.rect.width, item.rect.height, src, 0, 0,
             item.image->width, item.image->height, blend);
  SelectObject(src, old);
  DeleteDC(src);
}

}  // namespace hosts::web
