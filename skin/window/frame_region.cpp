// The window shape of the frame skin: a body rectangle with, for each rounded corner,
// a corner piece (a rectangle joined with an ellipse) and an edge strip.
#include "skin/window/xp_window.h"

namespace {

// Adds a rectangle or ellipse to the region (right and bottom exclusive).
void AddRect(HRGN into, int l, int t, int r, int b) {
  HRGN part = CreateRectRgn(l, t, r, b);
  CombineRgn(into, into, part, RGN_OR);
  DeleteObject(part);
}

void AddEllipse(HRGN into, int l, int t, int r, int b) {
  HRGN part = CreateEllipticRgn(l, t, r, b);
  CombineRgn(into, into, part, RGN_OR);
  DeleteObject(part);
}

}  // namespace

HRGN TxpWindow::CreateFrameRegion(TRoundedCorners corners) {
  const int r = xpCaption_->RoundedCornerRadius(), c = r / 2;
  const int w = hostForm_ ? hostForm_->width() : 0, h = hostForm_ ? hostForm_->height() : 0;
  const bool tl = HasCorner(corners, rcTopLeft), tr = HasCorner(corners, rcTopRight);
  const bool bl = HasCorner(corners, rcBottomLeft), br = HasCorner(corners, rcBottomRight);
  HRGN region = CreateRectRgn(0, HasTopCorner(corners) ? c : 0, w, HasBottomCorner(corners) ? h - c : h);
  if (tl) {
    AddRect(region, c, c, r, r);
    AddEllipse(region, 0, 0, r + 1, r + 1);
    AddRect(region, c, 0, tr ? w - c : w, r);
  }
  if (tr) {
    AddRect(region, w - r, 0, w - c, r);
    AddEllipse(region, w - r + 1, 0, w + 1, r);
    if (tl)
      AddRect(region, c, 0, w - c, r);
    else
      AddRect(region, 0, 0, w - r, r);
  }
  if (bl) {
    AddRect(region, c, h - r, r, h - c);
    AddEllipse(region, 0, h - r, r, h + 1);
    AddRect(region, c, h - c, br ? w - c : w, h);
  }
  if (br) {
    AddRect(region, w - r, h - r, w - c, h);
    AddEllipse(region, w - r + 1, h - r + 1, w + 1, h + 1);
    if (bl)
      AddRect(region, c, h - c, w - c + 1, h);
    else
      AddRect(region, 0, h - c, w - c + 1, h);
  }
  return region;
}
