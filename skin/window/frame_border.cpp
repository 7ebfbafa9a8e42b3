// The skin's border: two-tone gradient patterns framed along the window's shape, and
// a line under the caption.
#include <memory>

#include "skin/window/xp_caption.h"
#include "skin/window/xp_graph_util.h"
#include "skin/window/xp_window.h"

namespace {

// The part of a region within w pixels of its left or right edge (w > 0) and within
// h pixels of its top or bottom edge (h > 0); a width or height of 0 or less frames
// no edge in that direction.
void FrameRegion(HDC dc, HRGN region, HBRUSH brush, int w, int h) {
  if (w > 0 && h > 0) {
    FrameRgn(dc, region, brush, w, h);
    return;
  }
  const int dx = w > 0 ? w : 0, dy = h > 0 ? h : 0;
  if (!dx && !dy) return;
  HRGN inner = CreateRectRgn(0, 0, 0, 0), moved = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(inner, region, nullptr, RGN_COPY);
  for (int sign : {1, -1}) {
    CombineRgn(moved, region, nullptr, RGN_COPY);
    OffsetRgn(moved, sign * dx, sign * dy);
    CombineRgn(inner, inner, moved, RGN_AND);
  }
  CombineRgn(inner, region, inner, RGN_DIFF);
  FillRgn(dc, inner, brush);
  DeleteObject(moved);
  DeleteObject(inner);
}

// A pattern brush over a small gradient bitmap, released together.
class PatternBrush {
 public:
  PatternBrush(int width, int height, ui::TColor from, ui::TColor to, TFillDirection direction, int colors)
      : bitmap_(width, height) {
    FillGradient(bitmap_.canvas(), RECT{0, 0, width, height}, from, to, direction, colors);
    brush_ = CreatePatternBrush(bitmap_.handle());
  }
  ~PatternBrush() { DeleteObject(brush_); }
  PatternBrush(const PatternBrush&) = delete;
  PatternBrush& operator=(const PatternBrush&) = delete;
  HBRUSH handle() const { return brush_; }

 private:
  ui::Bitmap bitmap_;
  HBRUSH brush_ = nullptr;
};

struct RegionHolder {
  HRGN rgn;
  ~RegionHolder() { DeleteObject(rgn); }
};

}  // namespace

void TxpCaption::PaintBorder(ui::Canvas& canvas, RECT rect) {
  if (owner_.OnCustomBorderDraw) {
    bool next = false;
    owner_.OnCustomBorderDraw(&owner_, canvas, rect, windowActive_, next);
    return;
  }
  if (borderPainter_) {
    bool next = false;
    borderPainter_(owner_, canvas, rect, windowActive_, next);
    return;
  }
  PaintDefaultBorder(canvas, rect);
}

void TxpCaption::PaintDefaultBorder(ui::Canvas& canvas, RECT rect) {
  HDC dc = canvas.handle();
  ui::Form* form = Host();
  if (!dc || !form) return;
  const int w = rect.right, h = rect.bottom, b = borderSize_;
  const ui::TColor c = windowActive_ ? borderColor_ : borderInActiveColor_;
  const ui::TColor light = DarkenColor(c, -20);
  canvas.pen.width = b;
  canvas.pen.color = c;
  RegionHolder region{owner_.CreateFrameRegion(roundedCorners_)};
  if (HasBottomCorner(roundedCorners_)) {
    canvas.brush.style = ui::BrushStyle::Solid;
    canvas.brush.color = form->color();
    canvas.fillRect(RECT{0, h - roundedCornerRadius_ / 2 - b, w, h});
  }
  if (b > 0) {
    PatternBrush vertical(b, 1, c, light, fdHorizFromCenter, b / 2);
    if (visible_) {
      FrameRegion(dc, region.rgn, vertical.handle(), Min(b, 2), -1);
      const RECT left{0, b + height_, b, h}, right{w - b, b + height_, w, h};
      FillRect(dc, &left, vertical.handle());
      FillRect(dc, &right, vertical.handle());
    } else {
      FrameRegion(dc, region.rgn, vertical.handle(), b, -1);
    }
    PatternBrush horizontal(1, b, light, c, fdTopToBottom, b);
    if (visible_) {
      FrameRegion(dc, region.rgn, horizontal.handle(), -1, Min(b, 2));
      const RECT bottom{0, h - b, w, h};
      FillRect(dc, &bottom, horizontal.handle());
    } else {
      FrameRegion(dc, region.rgn, horizontal.handle(), -1, b);
    }
  }
  if (visible_) {
    canvas.pen.width = 2;
    canvas.pen.color = c;
    canvas.moveTo(b, height_ + b - 1);
    canvas.lineTo(w - b, height_ + b - 1);
  }
}
