// Canvas, bitmaps, icons and image lists, checked by reading pixels back.
#include <gtest/gtest.h>

#include "probe.h"

using namespace uitest;

TEST(Canvas, FillsFramesAndDrawsLines) {
  ui::Bitmap bmp(20, 20);
  ui::Canvas& c = bmp.canvas();
  EXPECT_EQ(c.pixel(5, 5), RGB(255, 255, 255));  // a fresh bitmap is white
  c.brush.color = ui::clBlue;
  c.fillRect(RECT{2, 2, 8, 8});
  EXPECT_EQ(c.pixel(2, 2), RGB(0, 0, 255));
  EXPECT_EQ(c.pixel(7, 7), RGB(0, 0, 255));
  EXPECT_EQ(c.pixel(8, 8), RGB(255, 255, 255));
  c.pen.color = ui::clRed;
  c.moveTo(0, 15);
  c.lineTo(10, 15);
  EXPECT_EQ(c.pixel(9, 15), RGB(255, 0, 0));
  EXPECT_EQ(c.pixel(10, 15), RGB(255, 255, 255));  // the end point is not painted
  c.brush.style = ui::BrushStyle::Clear;
  c.pen.color = ui::clLime;
  c.rectangle(10, 0, 20, 10);
  EXPECT_EQ(c.pixel(10, 5), RGB(0, 255, 0));
  EXPECT_EQ(c.pixel(15, 5), RGB(255, 255, 255));  // a clear brush leaves the inside
  c.setPixel(19, 19, ui::clBlack);
  EXPECT_EQ(c.pixel(19, 19), RGB(0, 0, 0));
  // System colours resolve through GetSysColor.
  c.brush.style = ui::BrushStyle::Solid;
  c.brush.color = ui::clBtnFace;
  c.fillRect(RECT{0, 0, 1, 1});
  EXPECT_EQ(c.pixel(0, 0), GetSysColor(COLOR_BTNFACE));
}

TEST(Canvas, TextIsMeasuredAndDrawnWide) {
  ui::Bitmap bmp(200, 40);
  ui::Canvas& c = bmp.canvas();
  c.font.setName("Tahoma");
  c.font.setHeight(-11);
  int w1 = c.textWidth("W"), w2 = c.textWidth("WW");
  EXPECT_GT(w1, 0);
  EXPECT_GT(w2, w1);
  EXPECT_GT(c.textHeight("W"), 8);
  std::string chinese = ui::utf8ToGbk("帮助");
  EXPECT_EQ(chinese.size(), 4u);
  EXPECT_EQ(ui::widen(chinese), L"帮助");
  EXPECT_EQ(ui::narrow(L"退出"), ui::utf8ToGbk("退出"));
  c.font.setColor(ui::clBlack);
  c.brush.style = ui::BrushStyle::Clear;
  c.textOut(2, 2, "WWWW");
  int dark = 0;
  for (int x = 0; x < 60; ++x)
    for (int y = 0; y < 20; ++y)
      if (c.pixel(x, y) != RGB(255, 255, 255)) ++dark;
  EXPECT_GT(dark, 10);
}

TEST(Canvas, Frame3DDrawsTwoColours) {
  ui::Bitmap bmp(10, 10);
  RECT r{0, 0, 10, 10};
  ui::frame3D(bmp.canvas(), r, ui::clWhite, ui::clBlack, 1);
  ui::Canvas& c = bmp.canvas();
  EXPECT_EQ(c.pixel(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(c.pixel(9, 9), RGB(0, 0, 0));
  EXPECT_EQ(c.pixel(9, 0), RGB(0, 0, 0));
  EXPECT_EQ(c.pixel(0, 9), RGB(0, 0, 0));
  EXPECT_EQ(r.left, 1);
  EXPECT_EQ(r.right, 9);
}

TEST(Graphics, BitmapDrawsOntoAnother) {
  ui::Bitmap src(4, 4), dst(10, 10);
  src.canvas().brush.color = ui::clRed;
  src.canvas().fillRect(RECT{0, 0, 4, 4});
  dst.canvas().draw(3, 3, src);
  EXPECT_EQ(dst.canvas().pixel(3, 3), RGB(255, 0, 0));
  EXPECT_EQ(dst.canvas().pixel(7, 7), RGB(255, 255, 255));
  EXPECT_THROW(src.loadFromResource("NO_SUCH_BITMAP"), ui::Error);
}

TEST(Graphics, ImageListOf32x32IconsWithMasks) {
  ui::ImageList list(nullptr);
  list.setWidth(32);
  list.setHeight(32);
  EXPECT_EQ(list.addIconResource("DOT"), 0);
  EXPECT_EQ(list.count(), 1);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(list.handle(), &cx, &cy);
  EXPECT_EQ(cx, 32);
  EXPECT_EQ(cy, 32);
  ui::Bitmap bmp(40, 40);
  bmp.canvas().brush.color = ui::clBlue;
  bmp.canvas().fillRect(RECT{0, 0, 40, 40});
  list.draw(bmp.canvas(), 4, 4, 0);
  // The circle's middle is painted, its corner stays transparent (the mask).
  EXPECT_EQ(bmp.canvas().pixel(4 + 16, 4 + 16), RGB(0xE0, 0x80, 0x20));
  EXPECT_EQ(bmp.canvas().pixel(4 + 1, 4 + 1), RGB(0, 0, 255));
  EXPECT_THROW(list.addIconResource("NO_SUCH_ICON"), ui::Error);
  ui::Icon icon;
  icon.loadFromResource("DOT");
  EXPECT_EQ(icon.width(), 32);
  ui::Bitmap b2(32, 32);
  b2.canvas().draw(0, 0, icon);
  EXPECT_EQ(b2.canvas().pixel(16, 16), RGB(0xE0, 0x80, 0x20));
  EXPECT_EQ(b2.canvas().pixel(0, 0), RGB(255, 255, 255));
}

TEST(Graphics, ColoursByNameAndNumber) {
  ui::TColor c = 0;
  EXPECT_TRUE(ui::colorFromName("clBtnFace", c));
  EXPECT_EQ(c, static_cast<ui::TColor>(0xFF00000F));
  EXPECT_EQ(ui::colorName(ui::clHighlight), "clHighlight");
  EXPECT_EQ(ui::colorToRGB(0x00FF8000), RGB(0x00, 0x80, 0xFF));
  EXPECT_EQ(ui::colorToRGB(ui::clHighlight), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_FALSE(ui::colorFromName("clPink", c));
}

TEST(Graphics, PanelPaintsItsBevels) {
  TestForm f;
  f.show();
  auto* area = f.find<ui::Panel>("pFlash");
  area->repaint();
  // The panel paints into any device context through WM_PRINTCLIENT-free painting:
  // read its window back.
  HDC dc = GetDC(area->handle());
  COLORREF inside = GetPixel(dc, 10, 10), topLeft = GetPixel(dc, 0, 5), bottomRight = GetPixel(dc, area->clientWidth() - 1, 5);
  ReleaseDC(area->handle(), dc);
  if (inside == CLR_INVALID) GTEST_SKIP() << "the screen cannot be read back here";
  EXPECT_EQ(inside, RGB(0x00, 0x80, 0xFF));
  EXPECT_EQ(topLeft, GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(bottomRight, GetSysColor(COLOR_BTNSHADOW));
}

TEST(Graphics, FormPaintsItsColourAndOffersACanvas) {
  TestForm f(nullptr, false);
  f.read("f: TForm {\n  Width = 300\n  Height = 200\n  Color = $000000FF\n}\n");
  f.show();
  pump();
  HDC dc = GetDC(f.handle());
  COLORREF background = GetPixel(dc, 20, 20);
  f.canvas().brush.color = ui::clLime;
  f.canvas().fillRect(RECT{50, 50, 60, 60});
  COLORREF drawn = GetPixel(dc, 55, 55);
  ReleaseDC(f.handle(), dc);
  if (background == CLR_INVALID) GTEST_SKIP() << "the screen cannot be read back here";
  EXPECT_EQ(background, RGB(255, 0, 0));
  EXPECT_EQ(drawn, RGB(0, 255, 0));
}

TEST(Graphics, BitmapsAreCopiedWithTheirSettings) {
  ui::Bitmap src(5, 4), copy;
  src.canvas().brush.color = ui::clRed;
  src.canvas().fillRect(RECT{0, 0, 5, 4});
  src.transparent = true;
  copy.assign(src);
  EXPECT_EQ(copy.width(), 5);
  EXPECT_EQ(copy.height(), 4);
  EXPECT_TRUE(copy.transparent);
  EXPECT_NE(copy.handle(), src.handle());
  src.canvas().setPixel(0, 0, ui::clBlue);  // the copy keeps its own pixels
  EXPECT_EQ(copy.canvas().pixel(0, 0), RGB(255, 0, 0));
  ui::Bitmap empty;
  copy.assign(empty);
  EXPECT_TRUE(copy.empty());
  EXPECT_FALSE(src.monochrome());
  ui::Bitmap mono;
  mono.assignHandle(CreateBitmap(8, 8, 1, 1, nullptr));
  EXPECT_TRUE(mono.monochrome());
}

TEST(Graphics, AutomaticTransparencyTakesTheBottomLeftPixel) {
  ui::Bitmap src(3, 3), dst(6, 6);
  src.canvas().brush.color = ui::clLime;
  src.canvas().fillRect(RECT{0, 0, 3, 3});
  src.canvas().setPixel(0, 2, ui::clRed);
  src.canvas().setPixel(1, 1, ui::clRed);
  src.transparent = true;
  EXPECT_EQ(src.effectiveTransparentColor(), RGB(255, 0, 0));
  dst.canvas().brush.color = ui::clBlue;
  dst.canvas().fillRect(RECT{0, 0, 6, 6});
  dst.canvas().draw(1, 1, src);
  EXPECT_EQ(dst.canvas().pixel(2, 2), RGB(0, 0, 255));
  EXPECT_EQ(dst.canvas().pixel(1, 1), RGB(0, 255, 0));
}

TEST(Graphics, CanvasCopyModeAppliesToBitmapCopies) {
  ui::Bitmap src(2, 2), dst(4, 4);
  src.canvas().brush.color = ui::clBlack;
  src.canvas().fillRect(RECT{0, 0, 2, 2});
  dst.canvas().brush.color = ui::clRed;
  dst.canvas().fillRect(RECT{0, 0, 4, 4});
  dst.canvas().copyMode = SRCPAINT;  // OR: black leaves the red
  dst.canvas().draw(0, 0, src);
  EXPECT_EQ(dst.canvas().pixel(1, 1), RGB(255, 0, 0));
  dst.canvas().copyMode = SRCCOPY;
  dst.canvas().draw(0, 0, src);
  EXPECT_EQ(dst.canvas().pixel(1, 1), RGB(0, 0, 0));
}

TEST(Graphics, AFormShowsItsOwnIconOrElseTheApplications) {
  TestForm f(nullptr, false);
  f.read("f: TForm {\n  Icon = @DOT\n}\n");
  ASSERT_FALSE(f.icon().empty());
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(f.handle(), WM_GETICON, ICON_BIG, 0)), f.icon().handle());
  EXPECT_NE(ui::writeComponent(f).find("Icon = @DOT"), std::string::npos);
}
