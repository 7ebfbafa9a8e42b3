// The colour and gradient routines, painted into bitmaps and read back.
#include <gtest/gtest.h>

#include "skin/window/xp_graph_util.h"

namespace {

COLORREF At(ui::Bitmap& b, int x, int y) { return b.canvas().pixel(x, y); }

// The screen's colour depth can round colours; 32-bit device contexts keep them.
const ui::TColor kStart = 0x00D2DFF4, kEnd = 0x00302010;

}  // namespace

TEST(XPGraphUtil, MulDivRoundAgreesWithTheSystemMulDiv) {
  for (int a = -40; a <= 40; a += 3)
    for (int b = -255; b <= 255; b += 17)
      for (int c : {-7, -2, 1, 2, 3, 7, 29, 59})
        ASSERT_EQ(skin::MulDivRound(a, b, c), MulDiv(a, b, c)) << a << " " << b << " " << c;
  EXPECT_EQ(skin::MulDivRound(5, 5, 0), MulDiv(5, 5, 0));
}

TEST(XPGraphUtil, DarkenColorResolvesSystemColoursAndClamps) {
  EXPECT_EQ(DarkenColor(ui::clWhite, 30), 0x00E1E1E1);
  EXPECT_EQ(DarkenColor(ui::clWhite, -30), 0x00FFFFFF);
  EXPECT_EQ(DarkenColor(ui::clBlack, -30), 0x001E1E1E);
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  auto shifted = [](int c) { return c - 10 < 0 ? 0 : c - 10; };
  EXPECT_EQ(static_cast<COLORREF>(DarkenColor(ui::clBtnFace, 10)),
            RGB(shifted(GetRValue(face)), shifted(GetGValue(face)), shifted(GetBValue(face))));
}

TEST(XPGraphUtil, EveryLinearAndCentreOutDirectionPaintsItsBands) {
  for (TFillDirection d : {fdTopToBottom, fdBottomToTop, fdLeftToRight, fdRightToLeft, fdVerticalFromCenter,
                           fdHorizFromCenter}) {
    for (int size : {7, 60, 131}) {
      ui::Bitmap bmp(size + 4, size + 4);
      RECT r{2, 2, 2 + size, 2 + size};
      FillGradient(bmp.canvas(), r, kStart, kEnd, d, 60);
      auto bands = skin::GradientBands(ToBox(r), ToRgb(kStart), ToRgb(kEnd), d, 60);
      ASSERT_FALSE(bands.empty());
      for (const skin::Band& b : bands) {
        ASSERT_EQ(At(bmp, b.box.left, b.box.top), ToColorRef(b.colour)) << d << " " << size;
        ASSERT_EQ(At(bmp, b.box.right - 1, b.box.bottom - 1), ToColorRef(b.colour)) << d << " " << size;
      }
      EXPECT_EQ(At(bmp, 1, 1), RGB(255, 255, 255));  // nothing outside the rectangle
      EXPECT_EQ(At(bmp, size + 2, size + 2), RGB(255, 255, 255));
    }
  }
}

TEST(XPGraphUtil, StartColourLiesAtTheEdgeItsDirectionNames) {
  ui::Bitmap bmp(40, 40);
  FillGradient(bmp.canvas(), RECT{0, 0, 40, 40}, ui::clRed, ui::clBlue, fdBottomToTop, 10);
  EXPECT_EQ(At(bmp, 5, 39), RGB(255, 0, 0));
  EXPECT_EQ(At(bmp, 5, 0), RGB(0, 0, 255));
  FillGradient(bmp.canvas(), RECT{0, 0, 40, 40}, ui::clRed, ui::clBlue, fdLeftToRight, 10);
  EXPECT_EQ(At(bmp, 0, 5), RGB(255, 0, 0));
  EXPECT_EQ(At(bmp, 39, 5), RGB(0, 0, 255));
  ui::Bitmap tall(40, 41);
  FillGradient(tall.canvas(), RECT{0, 0, 40, 41}, ui::clRed, ui::clBlue, fdVerticalFromCenter, 10);
  EXPECT_EQ(At(tall, 5, 0), RGB(255, 0, 0));
  EXPECT_EQ(At(tall, 5, 40), RGB(255, 0, 0));  // the odd row goes to the lower part
  EXPECT_EQ(At(tall, 5, 19), RGB(0, 0, 255));
  EXPECT_EQ(At(tall, 5, 20), RGB(0, 0, 255));
}

TEST(XPGraphUtil, SystemColourIsResolvedBeforeInterpolating) {
  ui::Bitmap bmp(10, 30);
  FillGradient(bmp.canvas(), RECT{0, 0, 10, 30}, ui::clBtnFace, ui::clBlack, fdTopToBottom, 30);
  EXPECT_EQ(At(bmp, 3, 0), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(At(bmp, 3, 29), RGB(0, 0, 0));
}

TEST(XPGraphUtil, FewerThanTwoColoursFillsSolidAndAnEmptyRectanglePaintsNothing) {
  ui::Bitmap bmp(20, 20);
  FillGradient(bmp.canvas(), RECT{0, 0, 20, 20}, ui::clRed, ui::clBlue, fdHorizFromCenter, 1);
  EXPECT_EQ(At(bmp, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(At(bmp, 19, 19), RGB(255, 0, 0));
  FillGradient(bmp.canvas(), RECT{5, 5, 5, 15}, ui::clBlue, ui::clBlue, fdTopToBottom, 10);
  FillXPGradient(bmp.canvas(), RECT{5, 5, 15, 5}, ui::clBlue, ui::clBlue, 10);
  EXPECT_EQ(At(bmp, 5, 5), RGB(255, 0, 0));
}

TEST(XPGraphUtil, BevelledFillFramesBevelsAndSamplesWhatItPainted) {
  const int w = 80, h = 28;
  ui::Bitmap bmp(w, h);
  const ui::TColor start = 0x00F0D0B0, end = 0x00503010;
  FillXPGradient(bmp.canvas(), RECT{0, 0, w, h}, start, end, 60);
  const COLORREF startRgb = ui::colorToRGB(start), endRgb = ui::colorToRGB(end);
  // The bottom strip runs from the start colour to the end colour at the bottom edge.
  EXPECT_EQ(At(bmp, w / 2, h - kXPBevelWidth), startRgb);
  EXPECT_EQ(At(bmp, w - 1, h - 1), endRgb);
  // Top row and left column: a one-pixel fill from the lightened start colour paints the start colour.
  EXPECT_EQ(At(bmp, w / 2, 0), startRgb);
  EXPECT_EQ(At(bmp, 0, h / 2), startRgb);
  // Top bevel: eight steps from the start colour down to the end colour over rows 1..5.
  EXPECT_EQ(At(bmp, w / 2, 1), startRgb);
  EXPECT_EQ(At(bmp, w / 2, 5), endRgb);
  // Body: from the end colour under the bevel towards the start colour.
  EXPECT_EQ(At(bmp, w / 2, 6), endRgb);
  // Left bevel rows run from the left column's colour to the body beside them (row 6,
  // the first, is then drawn over by the corner).
  for (int y = 7; y < h; y += 5) {
    EXPECT_EQ(At(bmp, 1, y), startRgb) << y;
    EXPECT_EQ(At(bmp, 5, y), At(bmp, 7, y)) << y;
  }
  // The corner copies, column by column, the pixel just below the bevel.
  for (int i = 1; i <= 5; ++i) {
    EXPECT_EQ(At(bmp, i, 5), At(bmp, i, 7)) << i;
    EXPECT_EQ(At(bmp, i, 6), At(bmp, i, 7)) << i;
  }
}

TEST(XPGraphUtil, TileBitmapRepeatsAndClipsToTheRectangle) {
  ui::Bitmap tile(4, 3), dst(20, 20);
  tile.canvas().brush.color = ui::clRed;
  tile.canvas().fillRect(RECT{0, 0, 4, 3});
  tile.canvas().setPixel(0, 0, ui::clBlue);
  TileBitmap(dst.canvas(), RECT{2, 2, 13, 12}, tile);
  EXPECT_EQ(At(dst, 2, 2), RGB(0, 0, 255));
  EXPECT_EQ(At(dst, 6, 5), RGB(0, 0, 255));
  EXPECT_EQ(At(dst, 10, 11), RGB(0, 0, 255));
  EXPECT_EQ(At(dst, 11, 11), RGB(255, 0, 0));
  EXPECT_EQ(At(dst, 12, 11), RGB(255, 0, 0));  // a partial tile at the corner
  EXPECT_EQ(At(dst, 13, 11), RGB(255, 255, 255));
  EXPECT_EQ(At(dst, 12, 12), RGB(255, 255, 255));
  ui::Bitmap empty;
  TileBitmap(dst.canvas(), RECT{0, 0, 20, 20}, empty);
  EXPECT_EQ(At(dst, 0, 0), RGB(255, 255, 255));
  // The device context's clipping is as it was.
  dst.canvas().setPixel(19, 19, ui::clBlack);
  EXPECT_EQ(At(dst, 19, 19), RGB(0, 0, 0));
}

namespace {
// A 4 x 4 bitmap: green with a magenta centre block of 2 x 2.
void PaintKeyed(ui::Bitmap& b) {
  b.setSize(4, 4);
  b.canvas().brush.color = ui::clLime;
  b.canvas().fillRect(RECT{0, 0, 4, 4});
  b.canvas().brush.color = ui::clFuchsia;
  b.canvas().fillRect(RECT{1, 1, 3, 3});
}
}  // namespace

TEST(XPGraphUtil, DrawBitmapTransparentLeavesTheKeyColourOut) {
  ui::Bitmap src, dst(20, 20);
  PaintKeyed(src);
  dst.canvas().brush.color = ui::clNavy;
  dst.canvas().fillRect(RECT{0, 0, 20, 20});
  DrawBitmapTransparent(dst.canvas(), 2, 2, src, ui::clFuchsia);
  EXPECT_EQ(At(dst, 2, 2), RGB(0, 255, 0));
  EXPECT_EQ(At(dst, 3, 3), RGB(0, 0, 128));  // the key colour shows the navy beneath
  EXPECT_EQ(At(dst, 5, 5), RGB(0, 255, 0));
  EXPECT_EQ(At(dst, 6, 6), RGB(0, 0, 128));
  // A source rectangle at its own size.
  DrawBitmapTransparent(dst.canvas(), 10, 10, src, RECT{1, 1, 4, 4}, ui::clFuchsia);
  EXPECT_EQ(At(dst, 10, 10), RGB(0, 0, 128));
  EXPECT_EQ(At(dst, 12, 12), RGB(0, 255, 0));
  EXPECT_EQ(At(dst, 13, 13), RGB(0, 0, 128));
  // Stretched to twice the size.
  DrawBitmapTransparent(dst.canvas(), 10, 0, 8, 8, src, RECT{0, 0, 4, 4}, ui::clFuchsia);
  EXPECT_EQ(At(dst, 10, 0), RGB(0, 255, 0));
  EXPECT_EQ(At(dst, 11, 1), RGB(0, 255, 0));
  EXPECT_EQ(At(dst, 12, 2), RGB(0, 0, 128));
  EXPECT_EQ(At(dst, 15, 5), RGB(0, 0, 128));
  EXPECT_EQ(At(dst, 17, 7), RGB(0, 255, 0));
  // clNone: an opaque copy.
  DrawBitmapTransparent(dst.canvas(), 0, 14, src, ui::clNone);
  EXPECT_EQ(At(dst, 1, 15), RGB(255, 0, 255));
}

TEST(XPGraphUtil, AMonochromeBitmapAlwaysLeavesWhiteOut) {
  ui::Bitmap mono, dst(10, 10);
  mono.assignHandle(CreateBitmap(8, 8, 1, 1, nullptr));
  ASSERT_TRUE(mono.monochrome());
  mono.canvas().brush.color = ui::clBlack;
  mono.canvas().fillRect(RECT{0, 0, 8, 8});
  mono.canvas().brush.color = ui::clWhite;
  mono.canvas().fillRect(RECT{0, 0, 4, 8});
  dst.canvas().brush.color = ui::clRed;
  dst.canvas().fillRect(RECT{0, 0, 10, 10});
  DrawBitmapTransparent(dst.canvas(), 0, 0, mono, ui::clBlack);
  EXPECT_EQ(At(dst, 1, 1), RGB(255, 0, 0));  // white left out, whatever colour was asked
  EXPECT_EQ(At(dst, 6, 1), RGB(0, 0, 0));
}
