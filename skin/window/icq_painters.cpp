#include "skin/window/icq_painters.h"

#include "skin/window/xp_graph_util.h"
#include "skin/window/xp_window.h"

namespace {

void Fill(HDC dc, RECT r, ui::TColor colour) {
  HBRUSH brush = CreateSolidBrush(ui::colorToRGB(colour));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void Frame(HDC dc, HRGN region, ui::TColor colour, int w, int h) {
  HBRUSH brush = CreateSolidBrush(ui::colorToRGB(colour));
  FrameRgn(dc, region, brush, w, h);
  DeleteObject(brush);
}

// A bitmap resource drawn at its own size with white left out.
void DrawPiece(ui::Canvas& canvas, const char* resource, int x, int y, bool fromRight, bool fromBottom) {
  ui::Bitmap piece;
  piece.loadFromResource(resource);
  DrawBitmapTransparent(canvas, x - (fromRight ? piece.width() : 0), y - (fromBottom ? piece.height() : 0), piece,
                        ui::clWhite);
}

// The rounded inner edge above the bottom border, in the form colour.
void PaintRoundedInnerBottom(ui::Canvas& canvas, int x, int y, int width, int radius, ui::TColor form) {
  const int height = radius / 2;
  if (width <= 0 || height <= 0) return;
  const ui::TColor mask = ui::colorToRGB(form) == RGB(255, 255, 255) ? ui::clBlack : ui::clWhite;
  ui::Bitmap bitmap(width, height);
  ui::Canvas& c = bitmap.canvas();
  c.brush.style = ui::BrushStyle::Solid;
  c.brush.color = mask;
  c.fillRect(RECT{0, 0, width, height});
  c.brush.color = form;
  c.pen.color = form;
  c.roundRect(0, 0, width, height, radius, radius);
  DrawBitmapTransparent(canvas, x, y, bitmap, RECT{0, height / 2, width, height}, mask);
}

}  // namespace

void IcqBorderPainter(TxpWindow& owner, ui::Canvas& canvas, RECT rect, bool active, bool& next) {
  next = false;
  HDC dc = canvas.handle();
  TxpCaption& caption = owner.xpCaption();
  ui::Form* form = owner.HostForm();
  if (!dc || !form) return;
  const int w = rect.right, h = rect.bottom, b = caption.BorderSize(), r = caption.RoundedCornerRadius();
  const ui::TColor c = active ? caption.BorderColor() : caption.BorderInActiveColor(), f = form->color();
  HRGN region = owner.CreateFrameRegion(caption.RoundedCorners());
  try {
    if (HasBottomCorner(caption.RoundedCorners())) Fill(dc, RECT{0, h - r / 2 - b, w, h}, c);
    Frame(dc, region, c, b, b);
    Frame(dc, region, DarkenColor(c, 30), 1, 1);
    Fill(dc, RECT{b, h - r / 2 - b, w - b, h}, f);
    FillGradient(canvas, RECT{0, h - b, w, h}, f, DarkenColor(c, 50), fdTopToBottom, 40);
    PaintRoundedInnerBottom(canvas, b, h - r / 2 - b, w - 2 * b, r, f);
    DrawPiece(canvas, "ICQBTMLEFT", 2, h, false, true);
    DrawPiece(canvas, "ICQBTMRGHT", w, h, true, true);
    DrawPiece(canvas, "ICQTOPLEFT", 0, 0, false, false);
    DrawPiece(canvas, "ICQTOPRIGHT", w, 0, true, false);
    Frame(dc, region, DarkenColor(c, 50), 1, 1);
  } catch (...) {
    DeleteObject(region);
    throw;
  }
  DeleteObject(region);
}

void IcqButtonPainter(ui::Form&, ui::Canvas& canvas, TTitleButtonState state, int button, RECT slot) {
  static const char* const kNames[3][3] = {{"ICQMINUPBTN", "ICQMINHLBTN", "ICQMINDOWNBTN"},
                                           {"ICQMAXUPBTN", "ICQMAXHLBTN", "ICQMAXDOWNBTN"},
                                           {"ICQCLOSEUPBTN", "ICQCLOSEHLBTN", "ICQCLOSEDOWNBTN"}};
  if (button < 1 || button > 3) return;
  const int face = state == tbsActive ? 1 : state == tbsDowned ? 2 : 0;
  DrawPiece(canvas, kNames[button - 1][face], slot.left, slot.top, false, false);
}
