// The client background: gradient rows read back after resizing, tiled and stretched
// images, the form colour, and which resizes repaint the whole client area.
#include <gtest/gtest.h>

#include "skin/window/xp_graph_util.h"
#include "skin_test_support.h"

using skintest::SkinnedForm;

namespace {

// The pixel the screen shows now, without asking for a repaint first.
COLORREF ShownPixel(HWND wnd, int x, int y) {
  HDC dc = GetDC(wnd);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(wnd, dc);
  return c;
}

// Every band of the background's gradient over the client rectangle, as shown.
void ExpectGradientShown(SkinnedForm& f) {
  RECT client{};
  GetClientRect(f.wnd(), &client);
  TxpWindowBackground& b = f.skin->WinBackground();
  auto bands = skin::GradientBands(ToBox(client), ToRgb(b.StartColor()), ToRgb(b.EndColor()), b.GradientFillDir(), 60);
  ASSERT_GT(bands.size(), 60u);
  for (const skin::Band& band : bands) {
    ASSERT_EQ(ShownPixel(f.wnd(), 3, band.box.top), ToColorRef(band.colour)) << band.box.top;
    ASSERT_EQ(ShownPixel(f.wnd(), client.right - 3, band.box.bottom - 1), ToColorRef(band.colour)) << band.box.bottom;
  }
}

// A 2 x 2 bitmap: red, green / blue, white.
void PaintChecks(ui::Bitmap& b) {
  b.setSize(2, 2);
  b.canvas().setPixel(0, 0, ui::clRed);
  b.canvas().setPixel(1, 0, ui::clLime);
  b.canvas().setPixel(0, 1, ui::clBlue);
  b.canvas().setPixel(1, 1, ui::clWhite);
}

bool ScreenReadable(HWND wnd) { return skintest::clientPixel(wnd, 1, 1) != CLR_INVALID; }

}  // namespace

TEST(ClientBackground, GradientLiesUnderTheClientAreaAndFollowsResizing) {
  SkinnedForm f(50, 40, 360, 330);
  f.skin->SetActive(true);
  f.skin->WinBackground().SetActive(true);
  f.showAndPump();
  if (!ScreenReadable(f.wnd())) GTEST_SKIP() << "the screen cannot be read back here";
  RedrawWindow(f.wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  ExpectGradientShown(f);
  // Taller and then shorter: the whole gradient is painted again at the new size.
  SetWindowPos(f.wnd(), nullptr, 0, 0, 380, 520, SWP_NOMOVE | SWP_NOZORDER);
  skintest::pump();
  ExpectGradientShown(f);
  SetWindowPos(f.wnd(), nullptr, 0, 0, 380, 260, SWP_NOMOVE | SWP_NOZORDER);
  skintest::pump();
  ExpectGradientShown(f);
}

TEST(ClientBackground, OnlyGradientAndStretchedBackgroundsRepaintEverythingOnResize) {
  SkinnedForm f(50, 40, 360, 330);
  f.skin->SetActive(true);
  TxpWindowBackground& b = f.skin->WinBackground();
  b.SetActive(true);
  f.showAndPump();
  for (TwgbStyle style : {wbgNone, wbgGradient, wbgTiled, wbgStretched}) {
    b.SetStyle(style);
    skintest::pump();
    ValidateRect(f.wnd(), nullptr);
    SetWindowPos(f.wnd(), nullptr, 0, 0, 350, 300, SWP_NOMOVE | SWP_NOZORDER);  // shrinking shows nothing new
    RECT update{};
    bool invalid = GetUpdateRect(f.wnd(), &update, FALSE);
    EXPECT_EQ(invalid, style == wbgGradient || style == wbgStretched) << style;
    skintest::pump();
    SetWindowPos(f.wnd(), nullptr, 0, 0, 360, 330, SWP_NOMOVE | SWP_NOZORDER);
    skintest::pump();
  }
}

TEST(ClientBackground, TiledAndStretchedImagesAndTheFormColourWithout) {
  SkinnedForm f(50, 40, 300, 240);
  f.form->setColor(0x00336699);
  f.skin->SetActive(true);
  TxpWindowBackground& b = f.skin->WinBackground();
  b.SetActive(true);
  f.showAndPump();
  if (!ScreenReadable(f.wnd())) GTEST_SKIP() << "the screen cannot be read back here";
  HWND w = f.wnd();
  for (TwgbStyle style : {wbgNone, wbgTiled, wbgStretched}) {
    b.SetStyle(style);
    EXPECT_EQ(skintest::clientPixel(w, 10, 10), RGB(0x99, 0x66, 0x33)) << style;
  }
  ui::Bitmap checks;
  PaintChecks(checks);
  b.SetImage(checks);
  b.SetStyle(wbgTiled);
  EXPECT_EQ(skintest::clientPixel(w, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(skintest::clientPixel(w, 11, 0), RGB(0, 255, 0));
  EXPECT_EQ(skintest::clientPixel(w, 10, 21), RGB(0, 0, 255));
  EXPECT_EQ(skintest::clientPixel(w, 101, 101), RGB(255, 255, 255));
  b.SetStyle(wbgStretched);
  RECT client{};
  GetClientRect(w, &client);
  EXPECT_EQ(skintest::clientPixel(w, 5, 5), RGB(255, 0, 0));
  EXPECT_EQ(skintest::clientPixel(w, client.right - 5, 5), RGB(0, 255, 0));
  EXPECT_EQ(skintest::clientPixel(w, 5, client.bottom - 5), RGB(0, 0, 255));
  EXPECT_EQ(skintest::clientPixel(w, client.right - 5, client.bottom - 5), RGB(255, 255, 255));
  // Switched off, the form paints its own colour again.
  b.SetActive(false);
  EXPECT_EQ(skintest::clientPixel(w, 5, 5), RGB(0x99, 0x66, 0x33));
}

TEST(ClientBackground, EraseAnswersWithOneOnTheGivenDeviceContext) {
  SkinnedForm f(50, 40, 300, 240);
  f.skin->SetActive(true);
  TxpWindowBackground& b = f.skin->WinBackground();
  b.SetActive(true);
  b.SetStartColor(ui::clRed);
  b.SetEndColor(ui::clRed);
  ui::Bitmap target(300, 240);
  EXPECT_EQ(SendMessageW(f.wnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.canvas().handle()), 0), 1);
  EXPECT_EQ(target.canvas().pixel(20, 20), RGB(255, 0, 0));
  // The MDI client procedure answers the same way (the framework's forms have no MDI client).
  ui::Bitmap other(300, 240);
  EXPECT_EQ(f.skin->ClientWindowProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(other.canvas().handle()), 0), 1);
  EXPECT_EQ(other.canvas().pixel(20, 20), RGB(255, 0, 0));
  // Inactive, the form fills its own colour.
  b.SetActive(false);
  ui::Bitmap plain(300, 240);
  SendMessageW(f.wnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(plain.canvas().handle()), 0);
  EXPECT_EQ(plain.canvas().pixel(20, 20), GetSysColor(COLOR_BTNFACE));
}
