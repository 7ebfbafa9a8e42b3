#include "skin/window/xp_graph_util.h"

namespace {

// A memory device context over a new bitmap, both deleted with it.
class ScratchBitmap {
 public:
  // Monochrome when dc is null, otherwise compatible with dc.
  ScratchBitmap(HDC dc, int width, int height)
      : dc_(CreateCompatibleDC(dc)),
        bitmap_(dc ? CreateCompatibleBitmap(dc, width, height) : CreateBitmap(width, height, 1, 1, nullptr)),
        old_(SelectObject(dc_, bitmap_)) {}
  ~ScratchBitmap() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  ScratchBitmap(const ScratchBitmap&) = delete;
  ScratchBitmap& operator=(const ScratchBitmap&) = delete;
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// A pixel read back from the canvas as a literal colour.
ui::TColor PixelAt(ui::Canvas& canvas, int x, int y) {
  return static_cast<ui::TColor>(canvas.pixel(x, y) & 0x00FFFFFF);
}

// Each row of the left bevel: from the frame pixel to the body pixel beside it.
void PaintLeftBevel(ui::Canvas& canvas, const RECT& r) {
  for (int y = r.top + kXPBevelWidth; y < r.bottom; ++y) {
    ui::TColor from = PixelAt(canvas, r.left, y), to = PixelAt(canvas, r.left + kXPBevelWidth + 1, y);
    FillGradientBands(canvas, RECT{r.left + 1, y, r.left + kXPBevelWidth, y + 1}, from, to, fdLeftToRight, 8);
  }
}

// The masked copy: destination pixels stay where the source has the key colour.
void MaskedStretch(HDC dst, int x, int y, int w, int h, HDC src, const RECT& from, COLORREF key) {
  const int sw = RectWidth(from), sh = RectHeight(from);
  ScratchBitmap mask(nullptr, sw, sh), inverse(nullptr, sw, sh);
  ScratchBitmap source(dst, sw, sh), work(dst, w, h);
  COLORREF oldBack = SetBkColor(src, key);
  BitBlt(mask.dc(), 0, 0, sw, sh, src, from.left, from.top, SRCCOPY);  // 1 where the key colour is
  SetBkColor(src, oldBack);
  BitBlt(inverse.dc(), 0, 0, sw, sh, mask.dc(), 0, 0, NOTSRCCOPY);
  for (HDC dc : {source.dc(), work.dc()}) {
    SetBkColor(dc, RGB(255, 255, 255));  // monochrome 1 becomes white, 0 black
    SetTextColor(dc, RGB(0, 0, 0));
    SetStretchBltMode(dc, COLORONCOLOR);
  }
  BitBlt(work.dc(), 0, 0, w, h, dst, x, y, SRCCOPY);
  StretchBlt(work.dc(), 0, 0, w, h, mask.dc(), 0, 0, sw, sh, SRCAND);
  BitBlt(source.dc(), 0, 0, sw, sh, src, from.left, from.top, SRCCOPY);
  BitBlt(source.dc(), 0, 0, sw, sh, inverse.dc(), 0, 0, SRCAND);
  StretchBlt(work.dc(), 0, 0, w, h, source.dc(), 0, 0, sw, sh, SRCPAINT);
  BitBlt(dst, x, y, w, h, work.dc(), 0, 0, SRCCOPY);
}

}  // namespace

skin::Rgb ToRgb(ui::TColor color) {
  COLORREF c = ui::colorToRGB(color);
  return skin::Rgb{GetRValue(c), GetGValue(c), GetBValue(c)};
}

COLORREF ToColorRef(skin::Rgb rgb) { return RGB(rgb.r, rgb.g, rgb.b); }

skin::Box ToBox(const RECT& r) { return skin::Box{r.left, r.top, r.right, r.bottom}; }

RECT ToRect(const skin::Box& b) { return RECT{b.left, b.top, b.right, b.bottom}; }

ui::TColor DarkenColor(ui::TColor color, int amount) {
  return static_cast<ui::TColor>(ToColorRef(skin::DarkenRgb(ToRgb(color), amount)));
}

void FillGradientBands(ui::Canvas& canvas, RECT rect, ui::TColor startColor, ui::TColor endColor,
                       TFillDirection direction, int colors) {
  HDC dc = canvas.handle();
  if (!dc) return;
  canvas.pen.style = ui::PenStyle::Solid;
  canvas.pen.mode = R2_COPYPEN;
  for (const skin::Band& band :
       skin::LinearGradientBands(ToBox(rect), ToRgb(startColor), ToRgb(endColor), direction, colors))
    FillSolid(dc, ToRect(band.box), ToColorRef(band.colour));
}

void FillGradient(ui::Canvas& canvas, RECT rect, ui::TColor startColor, ui::TColor endColor,
                  TFillDirection direction, int colors) {
  if (direction == fdXP) return FillXPGradient(canvas, rect, startColor, endColor, colors);
  HDC dc = canvas.handle();
  if (!dc) return;
  canvas.pen.style = ui::PenStyle::Solid;
  canvas.pen.mode = R2_COPYPEN;
  for (const skin::Band& band : skin::GradientBands(ToBox(rect), ToRgb(startColor), ToRgb(endColor), direction, colors))
    FillSolid(dc, ToRect(band.box), ToColorRef(band.colour));
}

void FillXPGradient(ui::Canvas& canvas, RECT r, ui::TColor startColor, ui::TColor endColor, int colors) {
  HDC dc = canvas.handle();
  if (!dc || IsRectEmpty(&r)) return;
  const int w = kXPBevelWidth;
  HBRUSH frame = CreateSolidBrush(ui::colorToRGB(endColor));
  FrameRect(dc, &r, frame);
  DeleteObject(frame);
  FillGradientBands(canvas, RECT{r.left + w, r.top + w, r.right, r.bottom - w}, endColor, startColor, fdTopToBottom,
                    colors);
  FillGradientBands(canvas, RECT{r.left + w, r.bottom - w, r.right, r.bottom}, startColor, endColor, fdTopToBottom,
                    colors);
  PaintLeftBevel(canvas, r);
  const ui::TColor light = DarkenColor(startColor, -kXPLighten);
  FillGradientBands(canvas, RECT{r.left + w, r.top, r.right, r.top + 1}, light, startColor, fdTopToBottom, 8);
  FillGradientBands(canvas, RECT{r.left + w, r.top + 1, r.right, r.top + w}, startColor, endColor, fdTopToBottom, 8);
  FillGradientBands(canvas, RECT{r.left, r.top + w, r.left + 1, r.bottom}, light, startColor, fdLeftToRight, 8);
  PaintLeftBevel(canvas, r);
  for (int i = 0; i <= w; ++i) {
    canvas.pen.color = PixelAt(canvas, r.left + i, r.top + w + 1);
    canvas.moveTo(r.left + i, r.top + w);
    canvas.lineTo(r.left + i, r.top + i);
    canvas.lineTo(r.left + w, r.top + i);
  }
}

void TileBitmap(ui::Canvas& canvas, RECT rect, ui::Bitmap& bitmap) {
  HDC dc = canvas.handle();
  const int bw = bitmap.width(), bh = bitmap.height();
  if (!dc || bw <= 0 || bh <= 0) return;
  const int saved = SaveDC(dc);
  try {
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    for (int i = 0; i <= RectWidth(rect) / bw; ++i)
      for (int j = 0; j <= RectHeight(rect) / bh; ++j) canvas.draw(rect.left + i * bw, rect.top + j * bh, bitmap);
  } catch (...) {
    RestoreDC(dc, saved);
    throw;
  }
  RestoreDC(dc, saved);
}

void DrawBitmapTransparent(ui::Canvas& canvas, int x, int y, ui::Bitmap& bitmap, ui::TColor transparentColor) {
  DrawBitmapTransparent(canvas, x, y, 0, 0, bitmap, RECT{0, 0, 0, 0}, transparentColor);
}

void DrawBitmapTransparent(ui::Canvas& canvas, int x, int y, ui::Bitmap& bitmap, RECT source,
                           ui::TColor transparentColor) {
  DrawBitmapTransparent(canvas, x, y, RectWidth(source), RectHeight(source), bitmap, source, transparentColor);
}

void DrawBitmapTransparent(ui::Canvas& canvas, int x, int y, int width, int height, ui::Bitmap& bitmap, RECT source,
                           ui::TColor transparentColor) {
  HDC dst = canvas.handle();
  if (!dst || bitmap.empty()) return;
  if (width < 1) width = bitmap.width();
  if (height < 1) height = bitmap.height();
  if (RectWidth(source) < 1 || RectHeight(source) < 1) source = RECT{0, 0, bitmap.width(), bitmap.height()};
  const bool monochrome = bitmap.monochrome();
  if (!monochrome) SetStretchBltMode(dst, COLORONCOLOR);
  HDC src = bitmap.canvas().handle();
  if (transparentColor == ui::clNone) {
    StretchBlt(dst, x, y, width, height, src, source.left, source.top, RectWidth(source), RectHeight(source),
               canvas.copyMode);
    return;
  }
  const COLORREF key = monochrome ? RGB(255, 255, 255) : ui::colorToRGB(transparentColor);
  MaskedStretch(dst, x, y, width, height, src, source, key);
}
