#include "ui/canvas.h"

#include <cstring>

#include "ui/bitmap.h"
#include "ui/icon.h"
#include "ui/text.h"

namespace ui {
namespace {

bool samePen(const Pen& a, const Pen& b) { return a.color == b.color && a.width == b.width && a.style == b.style; }
bool sameBrush(const Brush& a, const Brush& b) {
  return a.color == b.color && a.style == b.style && a.bitmap == b.bitmap;
}
bool sameFont(const LOGFONTW& a, const LOGFONTW& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

int penStyle(PenStyle s) {
  switch (s) {
    case PenStyle::Dash: return PS_DASH;
    case PenStyle::Dot: return PS_DOT;
    case PenStyle::DashDot: return PS_DASHDOT;
    case PenStyle::DashDotDot: return PS_DASHDOTDOT;
    case PenStyle::Clear: return PS_NULL;
    case PenStyle::InsideFrame: return PS_INSIDEFRAME;
    default: return PS_SOLID;
  }
}

HBRUSH makeBrush(const Brush& b) {
  if (b.bitmap) return CreatePatternBrush(b.bitmap);
  switch (b.style) {
    case BrushStyle::Clear: return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    case BrushStyle::Horizontal: return CreateHatchBrush(HS_HORIZONTAL, colorToRGB(b.color));
    case BrushStyle::Vertical: return CreateHatchBrush(HS_VERTICAL, colorToRGB(b.color));
    case BrushStyle::FDiagonal: return CreateHatchBrush(HS_FDIAGONAL, colorToRGB(b.color));
    case BrushStyle::BDiagonal: return CreateHatchBrush(HS_BDIAGONAL, colorToRGB(b.color));
    case BrushStyle::Cross: return CreateHatchBrush(HS_CROSS, colorToRGB(b.color));
    case BrushStyle::DiagCross: return CreateHatchBrush(HS_DIAGCROSS, colorToRGB(b.color));
    default: return CreateSolidBrush(colorToRGB(b.color));
  }
}

}  // namespace

Canvas::Canvas() = default;
Canvas::Canvas(HDC dc) { setHandle(dc); }
Canvas::~Canvas() { releaseObjects(); }

void Canvas::setHandle(HDC dc) {
  if (dc == dc_) return;
  releaseObjects();
  dc_ = dc;
}

void Canvas::releaseObjects() {
  if (dc_) {
    if (oldPen_) SelectObject(dc_, oldPen_);
    if (oldBrush_) SelectObject(dc_, oldBrush_);
    if (oldFont_) SelectObject(dc_, oldFont_);
  }
  oldPen_ = oldBrush_ = oldFont_ = nullptr;
  if (hpen_) DeleteObject(hpen_);
  if (hbrush_) DeleteObject(hbrush_);  // stock objects ignore deletion
  if (hfont_) DeleteObject(hfont_);
  hpen_ = nullptr;
  hbrush_ = nullptr;
  hfont_ = nullptr;
  curFontColor_ = clNone;
}

void Canvas::selectObjects(bool wantPen, bool wantBrush, bool wantFont) {
  if (!dc_) return;
  if (wantPen && (!hpen_ || !samePen(pen, curPen_))) {
    HPEN p = CreatePen(penStyle(pen.style), pen.width, colorToRGB(pen.color));
    HGDIOBJ old = SelectObject(dc_, p);
    if (!oldPen_) oldPen_ = old;
    if (hpen_) DeleteObject(hpen_);
    hpen_ = p;
    curPen_ = pen;
  }
  if (wantPen) SetROP2(dc_, pen.mode);
  if (wantBrush && (!hbrush_ || !sameBrush(brush, curBrush_))) {
    HBRUSH b = makeBrush(brush);
    HGDIOBJ old = SelectObject(dc_, b);
    if (!oldBrush_) oldBrush_ = old;
    if (hbrush_) DeleteObject(hbrush_);
    hbrush_ = b;
    curBrush_ = brush;
  }
  if (wantBrush) {
    SetBkColor(dc_, colorToRGB(brush.color));
    SetBkMode(dc_, brush.style == BrushStyle::Clear ? TRANSPARENT : OPAQUE);
  }
  if (wantFont) {
    LOGFONTW lf = font.logFont();
    if (!hfont_ || !sameFont(lf, curFont_)) {
      HFONT f = CreateFontIndirectW(&lf);
      HGDIOBJ old = SelectObject(dc_, f);
      if (!oldFont_) oldFont_ = old;
      if (hfont_) DeleteObject(hfont_);
      hfont_ = f;
      curFont_ = lf;
    }
    SetTextColor(dc_, colorToRGB(font.color()));
  }
}

void Canvas::prepare() { selectObjects(true, true, true); }

void Canvas::moveTo(int x, int y) {
  if (dc_) MoveToEx(dc_, x, y, nullptr);
}
void Canvas::lineTo(int x, int y) {
  selectObjects(true, false, false);
  if (dc_) LineTo(dc_, x, y);
}
POINT Canvas::penPos() const {
  POINT p{0, 0};
  if (dc_) GetCurrentPositionEx(dc_, &p);
  return p;
}
void Canvas::fillRect(const RECT& r) {
  selectObjects(false, true, false);
  if (dc_ && hbrush_) FillRect(dc_, &r, hbrush_);
}
void Canvas::frameRect(const RECT& r) {
  selectObjects(false, true, false);
  if (dc_ && hbrush_) FrameRect(dc_, &r, hbrush_);
}
void Canvas::rectangle(int l, int t, int r, int b) {
  selectObjects(true, true, false);
  if (dc_) Rectangle(dc_, l, t, r, b);
}
void Canvas::roundRect(int l, int t, int r, int b, int cx, int cy) {
  selectObjects(true, true, false);
  if (dc_) RoundRect(dc_, l, t, r, b, cx, cy);
}
void Canvas::ellipse(int l, int t, int r, int b) {
  selectObjects(true, true, false);
  if (dc_) Ellipse(dc_, l, t, r, b);
}
void Canvas::polygon(const std::vector<POINT>& points) {
  selectObjects(true, true, false);
  if (dc_ && !points.empty()) Polygon(dc_, points.data(), static_cast<int>(points.size()));
}
void Canvas::polyline(const std::vector<POINT>& points) {
  selectObjects(true, false, false);
  if (dc_ && !points.empty()) Polyline(dc_, points.data(), static_cast<int>(points.size()));
}
void Canvas::textOut(int x, int y, const std::string& gbk) {
  selectObjects(false, true, true);
  std::wstring w = widen(gbk);
  if (dc_) TextOutW(dc_, x, y, w.c_str(), static_cast<int>(w.size()));
}
void Canvas::textRect(const RECT& r, int x, int y, const std::string& gbk) {
  selectObjects(false, true, true);
  std::wstring w = widen(gbk);
  UINT opts = ETO_CLIPPED | (brush.style != BrushStyle::Clear ? ETO_OPAQUE : 0);
  if (dc_) ExtTextOutW(dc_, x, y, opts, &r, w.c_str(), static_cast<UINT>(w.size()), nullptr);
}
int Canvas::drawText(const std::string& gbk, RECT& r, UINT flags) {
  selectObjects(false, true, true);
  std::wstring w = widen(gbk);
  if (!dc_) return 0;
  return DrawTextW(dc_, w.c_str(), static_cast<int>(w.size()), &r, flags);
}
SIZE Canvas::textExtent(const std::string& gbk) {
  selectObjects(false, false, true);
  SIZE s{0, 0};
  std::wstring w = widen(gbk);
  if (dc_) GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &s);
  return s;
}
void Canvas::setTransparentText(bool transparent) {
  if (dc_) SetBkMode(dc_, transparent ? TRANSPARENT : OPAQUE);
}

void Canvas::draw(int x, int y, const Bitmap& bmp) {
  if (!dc_ || bmp.empty()) return;
  Bitmap& b = const_cast<Bitmap&>(bmp);
  HDC src = b.canvas().handle();
  if (b.transparent) {
    TransparentBlt(dc_, x, y, b.width(), b.height(), src, 0, 0, b.width(), b.height(),
                   b.effectiveTransparentColor());
  } else {
    BitBlt(dc_, x, y, b.width(), b.height(), src, 0, 0, copyMode);
  }
}
void Canvas::draw(int x, int y, const Icon& icon) {
  if (dc_ && !icon.empty()) DrawIconEx(dc_, x, y, icon.handle(), icon.width(), icon.height(), 0, nullptr, DI_NORMAL);
}
void Canvas::stretchDraw(const RECT& r, const Bitmap& bmp) {
  if (!dc_ || bmp.empty()) return;
  Bitmap& b = const_cast<Bitmap&>(bmp);
  SetStretchBltMode(dc_, COLORONCOLOR);
  StretchBlt(dc_, r.left, r.top, r.right - r.left, r.bottom - r.top, b.canvas().handle(), 0, 0, b.width(),
             b.height(), copyMode);
}
void Canvas::copyRect(const RECT& dest, Canvas& source, const RECT& src) {
  if (!dc_ || !source.dc_) return;
  StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.dc_, src.left,
             src.top, src.right - src.left, src.bottom - src.top, copyMode);
}
COLORREF Canvas::pixel(int x, int y) const { return dc_ ? GetPixel(dc_, x, y) : CLR_INVALID; }
void Canvas::setPixel(int x, int y, TColor c) {
  if (dc_) SetPixel(dc_, x, y, colorToRGB(c));
}

}  // namespace ui
