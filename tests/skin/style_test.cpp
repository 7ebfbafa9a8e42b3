// The built-in frame looks: their caption values, caption pixels and button faces, the
// bitmap-drawn look's pieces, and what a later caption change does to a look.
#include <gtest/gtest.h>

#include "skin/window/xp_graph_util.h"
#include "skin_test_support.h"

using skintest::SkinnedForm;

namespace {

constexpr int kWidth = 400, kHeight = 300;

COLORREF WindowPixel(HWND wnd, int x, int y) {
  HDC dc = GetWindowDC(wnd);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(wnd, dc);
  return c;
}

// A shown, active form with the skin on and the given look selected.
struct StyledForm : SkinnedForm {
  explicit StyledForm(TxpWindowStyle style) : SkinnedForm(60, 50, kWidth, kHeight) {
    skin->SetActive(true);
    skin->SetStyle(style);
    showAndPump();
    SendMessageW(wnd(), WM_NCACTIVATE, TRUE, 0);
  }
  TxpCaption& caption() { return skin->xpCaption(); }
  int strip() { return caption().Height() + caption().BorderSize(); }
  // The slot of the n-th button from the right (0: close).
  RECT slot(int n) {
    const int s = caption().ButtonSize(), y = (strip() - s) / 2, right = kWidth - 10 - n * (s + 2);
    return RECT{right - s, y, right, y + s};
  }
};

bool Readable(HWND wnd) { return WindowPixel(wnd, 200, 10) != CLR_INVALID; }

// Compares the non-white pixels of a bitmap resource with the window at (x, y), where
// the window's shape holds the pixel and its neighbours (the shape's outline is drawn
// over the pieces last), left of `right`.
void ExpectPieceAt(HWND wnd, const char* resource, int x, int y, int right = kWidth) {
  ui::Bitmap piece;
  piece.loadFromResource(resource);
  ASSERT_GT(piece.width(), 0) << resource;
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  const bool shaped = GetWindowRgn(wnd, shape) != ERROR;
  auto inside = [&](int px, int py) {
    if (!shaped) return true;
    for (POINT d : {POINT{0, 0}, POINT{-1, 0}, POINT{1, 0}, POINT{0, -1}, POINT{0, 1}})
      if (!PtInRegion(shape, px + d.x, py + d.y)) return false;
    return true;
  };
  int compared = 0;
  for (int py = 0; py < piece.height(); ++py) {
    for (int px = 0; px < piece.width(); ++px) {
      const COLORREF c = piece.canvas().pixel(px, py);
      if (c == RGB(255, 255, 255) || x + px >= right || !inside(x + px, y + py)) continue;
      ASSERT_EQ(WindowPixel(wnd, x + px, y + py), c) << resource << " " << px << "," << py;
      ++compared;
    }
  }
  DeleteObject(shape);
  EXPECT_GT(compared, 10) << resource;
}

}  // namespace

TEST(FrameStyles, EachLookSetsItsCaptionValues) {
  struct Expected {
    TxpWindowStyle style;
    ui::TColor activeStart, border;
    int borderSize, buttonSize, height, fontSize;
    TFillDirection fill;
    TRoundedCorners corners;
  };
  const TRoundedCorners top = RoundedCornerBit(rcTopLeft) | RoundedCornerBit(rcTopRight);
  for (const Expected& e : {Expected{xwsXPBlue, 15503686, 13903108, 4, 18, 28, 10, fdXP, top},
                            Expected{xwsXPSilver, 16777215, 8292488, 4, 18, 28, 10, fdXP, top},
                            Expected{xwsXPOlive, 9817538, 6793366, 4, 18, 28, 10, fdXP, top},
                            Expected{xwsMSN, 15521743, 12095090, 2, 18, 28, 10, fdVerticalFromCenter, 0},
                            Expected{xwsICQ, 9325343, 15195352, 4, 15, 24, 8, fdVerticalFromCenter,
                                     kAllRoundedCorners}}) {
    SkinnedForm f;
    f.skin->SetActive(true);
    TxpCaption& c = f.skin->xpCaption();
    c.SetDisplayAppIcon(false);
    c.SetShowBorder(false);
    f.skin->SetStyle(e.style);
    EXPECT_EQ(f.skin->Style(), e.style);
    EXPECT_TRUE(c.Active());
    EXPECT_TRUE(c.ShowBorder());
    EXPECT_TRUE(c.Visible());
    EXPECT_TRUE(c.DisplayAppIcon());
    EXPECT_TRUE(c.GradientFill());
    EXPECT_EQ(c.ActiveStartColor(), e.activeStart) << e.style;
    EXPECT_EQ(c.BorderColor(), e.border) << e.style;
    EXPECT_EQ(c.BorderSize(), e.borderSize) << e.style;
    EXPECT_EQ(c.ButtonSize(), e.buttonSize) << e.style;
    EXPECT_EQ(c.Height(), e.height) << e.style;
    EXPECT_EQ(c.Font().size(), e.fontSize) << e.style;
    EXPECT_EQ(c.Font().style(), ui::fsBold) << e.style;
    EXPECT_EQ(c.FillDirection(), e.fill) << e.style;
    EXPECT_EQ(c.RoundedCorners(), e.corners) << e.style;
    EXPECT_EQ(static_cast<bool>(c.BorderPainter()), e.style == xwsICQ) << e.style;
    EXPECT_EQ(static_cast<bool>(c.ButtonPainter()), e.style == xwsICQ) << e.style;
  }
}

TEST(FrameStyles, BevelledLooksPaintTheirCaptionAndButtonFaces) {
  for (TxpWindowStyle style : {xwsXPBlue, xwsXPSilver, xwsXPOlive}) {
    StyledForm f(style);
    if (!Readable(f.wnd())) GTEST_SKIP() << "the screen cannot be read back here";
    TxpCaption& c = f.caption();
    // The bevelled fill's body runs from the end colour under the 6-pixel bevel to the
    // start colour just above the bottom strip (strip 32 high: rows 6 .. 25).
    EXPECT_EQ(WindowPixel(f.wnd(), kWidth / 2, 6), ui::colorToRGB(c.ActiveEndColor())) << style;
    EXPECT_EQ(WindowPixel(f.wnd(), kWidth / 2, 25), ui::colorToRGB(c.ActiveStartColor())) << style;
    // Close: red to purple inside its outline; minimise: the caption's colours.
    const RECT close = f.slot(0), minimise = f.slot(2);
    EXPECT_EQ(WindowPixel(f.wnd(), close.left + 2, close.top + 1), RGB(255, 0, 0)) << style;
    EXPECT_EQ(WindowPixel(f.wnd(), close.left + 2, close.bottom - 2), RGB(128, 0, 128)) << style;
    EXPECT_EQ(WindowPixel(f.wnd(), minimise.left + 2, minimise.top + 1), ui::colorToRGB(c.ActiveStartColor()))
        << style;
    EXPECT_EQ(WindowPixel(f.wnd(), minimise.left + 2, minimise.bottom - 2), ui::colorToRGB(c.ActiveEndColor()))
        << style;
    EXPECT_EQ(WindowPixel(f.wnd(), minimise.left + 9, minimise.top), ui::colorToRGB(c.BtnBorderColor())) << style;
  }
}

TEST(FrameStyles, TheCentreOutLookMeetsInTheMiddleOfItsCaption) {
  StyledForm f(xwsMSN);
  if (!Readable(f.wnd())) GTEST_SKIP() << "the screen cannot be read back here";
  TxpCaption& c = f.caption();
  // Strip 30 high: halves of 15 rows, the end colour on both sides of the middle.
  const COLORREF start = ui::colorToRGB(c.ActiveStartColor()), end = ui::colorToRGB(c.ActiveEndColor());
  EXPECT_EQ(WindowPixel(f.wnd(), kWidth / 2, 14), end);
  EXPECT_EQ(WindowPixel(f.wnd(), kWidth / 2, 15), end);
  EXPECT_NE(WindowPixel(f.wnd(), kWidth / 2, 8), start);
  EXPECT_NE(WindowPixel(f.wnd(), kWidth / 2, 8), end);
  // No rounded corners: the shape is the window's rectangle.
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(f.wnd(), shape), ERROR);
  RECT box{};
  EXPECT_EQ(GetRgnBox(shape, &box), SIMPLEREGION);
  EXPECT_EQ(box.right, kWidth);
  EXPECT_EQ(box.bottom, kHeight);
  DeleteObject(shape);
  const RECT minimise = f.slot(2);
  EXPECT_EQ(WindowPixel(f.wnd(), minimise.left + 2, minimise.top + 1), start);
}

TEST(FrameStyles, TheBitmapLookPlacesItsPiecesAndButtons) {
  StyledForm f(xwsICQ);
  if (!Readable(f.wnd())) GTEST_SKIP() << "the screen cannot be read back here";
  ui::Bitmap piece;
  piece.loadFromResource("ICQTOPRIGHT");
  const int topRightWidth = piece.width();
  piece.loadFromResource("ICQBTMLEFT");
  const int bottomLeftHeight = piece.height();
  piece.loadFromResource("ICQBTMRGHT");
  const int bottomRightWidth = piece.width(), bottomRightHeight = piece.height();
  ExpectPieceAt(f.wnd(), "ICQTOPLEFT", 0, 0);
  ExpectPieceAt(f.wnd(), "ICQTOPRIGHT", kWidth - topRightWidth, 0);
  ExpectPieceAt(f.wnd(), "ICQBTMLEFT", 2, kHeight - bottomLeftHeight);
  ExpectPieceAt(f.wnd(), "ICQBTMRGHT", kWidth - bottomRightWidth, kHeight - bottomRightHeight);
  // The buttons: close, maximise, minimise from the right, each its normal bitmap (the
  // top-right corner piece is drawn over the caption, the close button included).
  ExpectPieceAt(f.wnd(), "ICQCLOSEUPBTN", f.slot(0).left, f.slot(0).top, kWidth - topRightWidth);
  ExpectPieceAt(f.wnd(), "ICQMAXUPBTN", f.slot(1).left, f.slot(1).top);
  ExpectPieceAt(f.wnd(), "ICQMINUPBTN", f.slot(2).left, f.slot(2).top);
  // Hot and pressed faces follow the pointer and the press.
  RECT r{};
  GetWindowRect(f.wnd(), &r);
  const RECT close = f.slot(0);
  const LPARAM at = MAKELPARAM(r.left + close.left + 5, r.top + close.top + 5);
  SendMessageW(f.wnd(), WM_NCHITTEST, 0, at);
  ExpectPieceAt(f.wnd(), "ICQCLOSEHLBTN", close.left, close.top);
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTCLOSE, at);
  ExpectPieceAt(f.wnd(), "ICQCLOSEDOWNBTN", close.left, close.top);
  SendMessageW(f.wnd(), WM_NCHITTEST, 0, MAKELPARAM(r.left + kWidth / 2, r.top + 10));  // cancels the press
}

TEST(FrameStyles, ACaptionChangeEndsTheBitmapLook) {
  StyledForm f(xwsICQ);
  TxpCaption& c = f.caption();
  c.SetBorderColor(0x00203040);
  EXPECT_EQ(f.skin->Style(), xwsCustom);
  EXPECT_FALSE(c.BorderPainter());
  EXPECT_FALSE(c.ButtonPainter());
  skintest::pump();
  if (!Readable(f.wnd())) GTEST_SKIP() << "the screen cannot be read back here";
  // The default border in the new colour, and the default close face.
  EXPECT_EQ(WindowPixel(f.wnd(), 0, kHeight / 2), RGB(0x40, 0x30, 0x20));
  const RECT close = f.slot(0);
  EXPECT_EQ(WindowPixel(f.wnd(), close.left + 2, close.top + 1), RGB(255, 0, 0));
  // Selecting the look again brings every value and the painters back.
  f.skin->SetStyle(xwsICQ);
  EXPECT_EQ(c.BorderColor(), 15195352);
  EXPECT_TRUE(c.BorderPainter());
}

TEST(FrameStyles, TheCentreOutLookKeepsTheRadiusButSquaresTheCorners) {
  SkinnedForm f;
  f.skin->SetActive(true);
  f.skin->xpCaption().SetRoundedCornerRadius(22);
  f.skin->SetStyle(xwsMSN);
  EXPECT_EQ(f.skin->xpCaption().RoundedCornerRadius(), 22);
  EXPECT_EQ(f.skin->xpCaption().RoundedCorners(), 0);
  f.skin->SetStyle(xwsXPBlue);
  EXPECT_EQ(f.skin->xpCaption().RoundedCornerRadius(), 14);
}

TEST(FrameStyles, TheCustomLookOnlyTakesThePaintersAway) {
  SkinnedForm f;
  f.skin->SetActive(true);
  f.skin->SetStyle(xwsICQ);
  TxpCaption& c = f.skin->xpCaption();
  f.skin->SetStyle(xwsCustom);
  EXPECT_FALSE(c.BorderPainter());
  EXPECT_EQ(c.BorderColor(), 15195352);  // values stay
  EXPECT_EQ(c.Height(), 24);
}
