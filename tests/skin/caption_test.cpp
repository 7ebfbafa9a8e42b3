// The skin's own caption, border, shape, buttons and hit testing, read back from the
// window.
#include <gtest/gtest.h>

#include "skin/window/xp_graph_util.h"
#include "skin_test_support.h"

using skintest::SkinnedForm;

namespace {

COLORREF WindowPixel(HWND wnd, int x, int y) {
  HDC dc = GetWindowDC(wnd);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(wnd, dc);
  return c;
}

// A form with the skin's caption on: height 24, border 4, all corners rounded (14).
struct CaptionForm : SkinnedForm {
  CaptionForm() : SkinnedForm(60, 50, 400, 300) {
    TxpCaption& c = skin->xpCaption();
    skin->SetActive(true);
    c.SetHeight(24);
    c.SetBorderSize(4);
    c.SetBorderColor(0x007E8888);
    c.SetBorderInActiveColor(0x00D7C9C9);
    c.SetRoundedCorners(kAllRoundedCorners);
    c.SetGradientFill(true);
    c.SetFillDirection(fdLeftToRight);
    c.SetActiveStartColor(ui::clWhite);
    c.SetActiveEndColor(0x00BEA3A4);
    c.SetInActiveStartColor(ui::clWhite);
    c.SetInActiveEndColor(0x00E3D7D7);
    c.SetActive(true);
    showAndPump();
  }
  TxpCaption& caption() { return skin->xpCaption(); }
  RECT windowRect() {
    RECT r{};
    GetWindowRect(wnd(), &r);
    return r;
  }
  LRESULT hit(int x, int y) {
    RECT r = windowRect();
    return SendMessageW(wnd(), WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y));
  }
};

bool Readable(HWND wnd) { return WindowPixel(wnd, 200, 10) != CLR_INVALID; }

}  // namespace

TEST(SkinCaption, ClientAreaLeavesRoomForCaptionBorderAndRoundedBottom) {
  CaptionForm f;
  RECT client{};
  GetClientRect(f.wnd(), &client);
  EXPECT_EQ(client.right, 400 - 2 * 4);
  EXPECT_EQ(client.bottom, 300 - 24 - 7 - 2 * 4);
  RECT proposed{10, 20, 410, 320};
  EXPECT_EQ(SendMessageW(f.wnd(), WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&proposed)), 0);
  EXPECT_EQ(proposed.left, 14);
  EXPECT_EQ(proposed.top, 20 + 24 + 4);
  EXPECT_EQ(proposed.right, 406);
  EXPECT_EQ(proposed.bottom, 320 - 7 - 4);
  EXPECT_EQ(GetWindowLongW(f.wnd(), GWL_STYLE) & WS_DLGFRAME, 0);  // the system caption is gone
}

TEST(SkinCaption, GradientInBothStates) {
  CaptionForm f;
  if (!Readable(f.wnd())) GTEST_SKIP() << "the screen cannot be read back here";
  const RECT strip{0, 0, 400, 28};
  auto expectAt = [&](ui::TColor from, ui::TColor to) {
    for (const skin::Band& b : skin::GradientBands(ToBox(strip), ToRgb(from), ToRgb(to), fdLeftToRight, 60)) {
      if (b.box.left >= 150 && b.box.left < 300) {
        ASSERT_EQ(WindowPixel(f.wnd(), b.box.left, 12), ToColorRef(b.colour));
      }
    }
  };
  SendMessageW(f.wnd(), WM_NCACTIVATE, TRUE, 0);
  expectAt(ui::clWhite, 0x00BEA3A4);
  EXPECT_EQ(SendMessageW(f.wnd(), WM_NCACTIVATE, FALSE, 0), 1);
  EXPECT_FALSE(f.caption().WindowActive());
  expectAt(ui::clWhite, 0x00E3D7D7);
  EXPECT_EQ(SendMessageW(f.wnd(), WM_NCACTIVATE, TRUE, 0), 0);
  // Without the gradient the start colour fills the strip in both states.
  f.caption().SetGradientFill(false);
  f.caption().SetActiveStartColor(0x00203040);
  EXPECT_EQ(WindowPixel(f.wnd(), 250, 12), RGB(0x40, 0x30, 0x20));
  SendMessageW(f.wnd(), WM_NCACTIVATE, FALSE, 0);
  EXPECT_EQ(WindowPixel(f.wnd(), 250, 12), RGB(0x40, 0x30, 0x20));
}

TEST(SkinCaption, BorderIsTwoToneInBothStates) {
  CaptionForm f;
  if (!Readable(f.wnd())) GTEST_SKIP() << "the screen cannot be read back here";
  for (bool active : {true, false}) {
    SendMessageW(f.wnd(), WM_NCACTIVATE, active, 0);
    const ui::TColor c = active ? 0x007E8888 : 0x00D7C9C9;
    const COLORREF base = ui::colorToRGB(c), light = ui::colorToRGB(DarkenColor(c, -20));
    EXPECT_EQ(WindowPixel(f.wnd(), 0, 150), base) << active;    // left strip: C, lighter, lighter, C
    EXPECT_EQ(WindowPixel(f.wnd(), 1, 150), light) << active;
    EXPECT_EQ(WindowPixel(f.wnd(), 3, 150), base) << active;
    EXPECT_EQ(WindowPixel(f.wnd(), 200, 296), light) << active;  // bottom strip: lighter at the top
    EXPECT_EQ(WindowPixel(f.wnd(), 200, 299), base) << active;
    EXPECT_EQ(WindowPixel(f.wnd(), 200, 27), base) << active;   // the line under the caption
  }
}

TEST(SkinCaption, RoundedCornersShapeTheWindow) {
  CaptionForm f;
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(f.wnd(), rgn), ERROR);
  const int w = 400, h = 300;
  for (POINT outside : {POINT{0, 0}, POINT{w - 1, 0}, POINT{0, h - 1}, POINT{w - 1, h - 1}, POINT{1, 1}})
    EXPECT_FALSE(PtInRegion(rgn, outside.x, outside.y)) << outside.x << "," << outside.y;
  for (POINT inside : {POINT{3, 3}, POINT{7, 7}, POINT{w - 4, 3}, POINT{3, h - 4}, POINT{w - 4, h - 4},
                       POINT{0, h / 2}, POINT{w / 2, 0}, POINT{w - 1, h / 2}, POINT{w / 2, h - 1}})
    EXPECT_TRUE(PtInRegion(rgn, inside.x, inside.y)) << inside.x << "," << inside.y;
  // Only the top corners: the bottom ones are square.
  f.caption().SetRoundedCorners(RoundedCornerBit(rcTopLeft) | RoundedCornerBit(rcTopRight));
  GetWindowRgn(f.wnd(), rgn);
  EXPECT_FALSE(PtInRegion(rgn, 0, 0));
  EXPECT_TRUE(PtInRegion(rgn, 0, h - 1));
  EXPECT_TRUE(PtInRegion(rgn, w - 1, h - 1));
  // No corners: the plain window rectangle.
  HRGN plain = f.skin->CreateFrameRegion(0);
  RECT box{};
  EXPECT_EQ(GetRgnBox(plain, &box), SIMPLEREGION);
  EXPECT_EQ(box.right, w);
  EXPECT_EQ(box.bottom, h);
  DeleteObject(plain);
  f.skin->RestoreSystemCaption(true);
  EXPECT_EQ(GetWindowRgn(f.wnd(), rgn), ERROR);
  DeleteObject(rgn);
}

TEST(SkinCaption, SwitchedOffTheSystemFrameComesBack) {
  CaptionForm f;
  f.caption().SetActive(false);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(f.wnd(), rgn), ERROR);
  DeleteObject(rgn);
  EXPECT_EQ(GetWindowLongW(f.wnd(), GWL_STYLE) & WS_CAPTION, WS_CAPTION);
  RECT client{}, frame{0, 0, 0, 0};
  GetClientRect(f.wnd(), &client);
  AdjustWindowRectEx(&frame, GetWindowLongW(f.wnd(), GWL_STYLE), FALSE, 0);
  EXPECT_EQ(client.bottom, 300 - (frame.bottom - frame.top));
  EXPECT_EQ(f.hit(200, GetSystemMetrics(SM_CYFRAME) + 4), HTCAPTION);
}

TEST(SkinCaption, IconTitleAndImagePlaces) {
  CaptionForm f;
  if (!Readable(f.wnd())) GTEST_SKIP() << "the screen cannot be read back here";
  // A red icon of the form's own.
  ui::Bitmap colour(16, 16), mask(16, 16);
  colour.canvas().brush.color = ui::clRed;
  colour.canvas().fillRect(RECT{0, 0, 16, 16});
  mask.canvas().brush.color = ui::clBlack;
  mask.canvas().fillRect(RECT{0, 0, 16, 16});
  ICONINFO ii{TRUE, 0, 0, mask.handle(), colour.handle()};
  f.form->icon().assignHandle(CreateIconIndirect(&ii));
  f.skin->RefreshFrame();
  // At (b + IconMarginLeft, b + IconMarginTop), Height - b - 4 square: 4 + 3, 4 + 2, 16 pixels.
  EXPECT_EQ(WindowPixel(f.wnd(), 7, 6), RGB(255, 0, 0));
  EXPECT_EQ(WindowPixel(f.wnd(), 22, 21), RGB(255, 0, 0));
  EXPECT_NE(WindowPixel(f.wnd(), 24, 12), RGB(255, 0, 0));
  // The title in the font colour after the icon: X = 5 + Height - b, plus the margin.
  f.caption().Font().setColor(ui::clBlack);
  f.caption().Font().setStyle(ui::fsBold);
  int dark = 0;
  for (int x = 5 + 20 + 3; x < 110; ++x)
    for (int y = 4; y < 28; ++y) dark += WindowPixel(f.wnd(), x, y) == RGB(0, 0, 0);
  EXPECT_GT(dark, 20);
  // An opaque 10 x 6 green image in each placement.
  ui::Bitmap image(10, 6);
  image.canvas().brush.color = ui::clLime;
  image.canvas().fillRect(RECT{0, 0, 10, 6});
  f.caption().SetImage(image);
  f.caption().SetImageTransparent(false);
  const int y = (0 + 28 - 6) / 2;
  f.caption().SetImageAlign(iaLeft);
  EXPECT_EQ(WindowPixel(f.wnd(), 5 + 20 + 1, y + 1), RGB(0, 255, 0));
  f.caption().SetImageAlign(iaCenter);
  EXPECT_EQ(WindowPixel(f.wnd(), 195 + 1, y + 1), RGB(0, 255, 0));
  f.caption().SetImageAlign(iaRight);
  const int reserve = 3 * (20 + 2) + 10;
  EXPECT_EQ(WindowPixel(f.wnd(), 400 - 10 - reserve - 2 + 1, y + 1), RGB(0, 255, 0));
  f.caption().SetImageAlign(iaStretch);
  EXPECT_EQ(WindowPixel(f.wnd(), 250, 20), RGB(0, 255, 0));
}

TEST(SkinButtons, HitTestingZonesWithTheCaptionOn) {
  CaptionForm f;
  // Buttons from the right: close, maximise, minimise, 20 wide at y = (28 - 20) / 2 = 4.
  EXPECT_EQ(f.hit(400 - 15, 10), HTCLOSE);
  EXPECT_EQ(f.hit(400 - 37, 10), HTMAXBUTTON);
  EXPECT_EQ(f.hit(400 - 59, 10), HTMINBUTTON);
  EXPECT_EQ(f.hit(10, 10), HTSYSMENU);
  EXPECT_EQ(f.hit(200, 10), HTCAPTION);
  EXPECT_EQ(f.hit(1, 1), HTTOPLEFT);
  EXPECT_EQ(f.hit(398, 1), HTTOPRIGHT);
  EXPECT_EQ(f.hit(1, 298), HTBOTTOMLEFT);
  EXPECT_EQ(f.hit(398, 298), HTBOTTOMRIGHT);
  EXPECT_EQ(f.hit(1, 150), HTLEFT);
  EXPECT_EQ(f.hit(398, 150), HTRIGHT);
  EXPECT_EQ(f.hit(200, 1), HTTOP);  // the caption zone starts 5 pixels down
  EXPECT_EQ(f.hit(200, 298), HTBOTTOM);
  EXPECT_EQ(f.hit(200, 150), HTCLIENT);
  // Without corners the corner zones are 5 pixels.
  f.caption().SetRoundedCorners(0);
  EXPECT_EQ(f.hit(6, 150), HTCLIENT);
  EXPECT_EQ(f.hit(4, 298), HTBOTTOMLEFT);
  EXPECT_EQ(f.hit(6, 298), HTBOTTOM);
}

TEST(SkinButtons, FacesInEachStateAndTheHotButtonFollowsThePointer) {
  CaptionForm f;
  if (!Readable(f.wnd())) GTEST_SKIP() << "the screen cannot be read back here";
  TxpCaption& c = f.caption();
  // The minimise face: a gradient from the active start to end colour inside its outline.
  const RECT slot{400 - 20 - 10 - 2 * 22, 4, 400 - 10 - 2 * 22, 24};
  auto face = [&](int dy) { return WindowPixel(f.wnd(), slot.left + 2, slot.top + 1 + dy); };
  const COLORREF top = face(0);
  EXPECT_EQ(top, ui::colorToRGB(c.ActiveStartColor()));
  EXPECT_EQ(face(17), ui::colorToRGB(c.ActiveEndColor()));
  EXPECT_EQ(WindowPixel(f.wnd(), slot.left + 10, slot.top), ui::colorToRGB(c.BtnBorderColor()));
  // Hot: lightened by 30.
  f.hit(slot.left + 10, slot.top + 10);
  EXPECT_EQ(c.HotButton(), 2);
  EXPECT_EQ(face(17), ui::colorToRGB(DarkenColor(c.ActiveEndColor(), -30)));
  // Pressed: reversed.
  LPARAM at = MAKELPARAM(f.windowRect().left + slot.left + 10, f.windowRect().top + slot.top + 10);
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTMINBUTTON, at);
  EXPECT_EQ(c.PressedButton(), 2);
  EXPECT_EQ(face(0), ui::colorToRGB(c.ActiveEndColor()));
  // Away from the buttons the hot and pressed states end.
  f.hit(200, 10);
  EXPECT_EQ(c.HotButton(), -1);
  EXPECT_EQ(c.PressedButton(), -10);
  EXPECT_EQ(face(0), top);
  // The close face runs from red to purple.
  EXPECT_EQ(WindowPixel(f.wnd(), 400 - 30 + 2, 5), RGB(255, 0, 0));
}

TEST(SkinButtons, APressDraggedOffCloseSendsNothingAndClicksDoWhatTheySay) {
  CaptionForm f;
  int closes = 0;
  f.form->onClose = ui::CloseEvent([&](ui::Component*, ui::CloseAction& a) {
    ++closes;
    a = ui::CloseAction::None;
  });
  RECT r = f.windowRect();
  auto at = [&](int x, int y) { return MAKELPARAM(r.left + x, r.top + y); };
  // Press on close, move off it, release elsewhere: nothing.
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTCLOSE, at(385, 10));
  f.hit(200, 10);
  SendMessageW(f.wnd(), WM_NCLBUTTONUP, HTCAPTION, at(200, 10));
  f.hit(385, 10);
  SendMessageW(f.wnd(), WM_NCLBUTTONUP, HTCLOSE, at(385, 10));
  skintest::pump();
  EXPECT_EQ(closes, 0);
  // A click on close closes.
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTCLOSE, at(385, 10));
  SendMessageW(f.wnd(), WM_NCLBUTTONUP, HTCLOSE, at(385, 10));
  skintest::pump();
  EXPECT_EQ(closes, 1);
  // Maximise, then restore from the same button; minimise.
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTMAXBUTTON, at(363, 10));
  SendMessageW(f.wnd(), WM_NCLBUTTONUP, HTMAXBUTTON, at(363, 10));
  EXPECT_TRUE(IsZoomed(f.wnd()));
  RECT zr{};
  GetWindowRect(f.wnd(), &zr);
  const int zw = zr.right - zr.left;
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTMAXBUTTON, MAKELPARAM(zr.left + zw - 37, zr.top + 10));
  SendMessageW(f.wnd(), WM_NCLBUTTONUP, HTMAXBUTTON, MAKELPARAM(zr.left + zw - 37, zr.top + 10));
  EXPECT_FALSE(IsZoomed(f.wnd()));
  r = f.windowRect();
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTMINBUTTON, at(341, 10));
  SendMessageW(f.wnd(), WM_NCLBUTTONUP, HTMINBUTTON, at(341, 10));
  EXPECT_TRUE(IsIconic(f.wnd()));
  ShowWindow(f.wnd(), SW_RESTORE);
}

TEST(SkinButtons, CustomButtonsAreHitDrawnAndClicked) {
  // Made before the form: the skin may still draw its buttons while the form goes.
  std::vector<int> drawn, clicked;
  CaptionForm f;
  TxpCaption& c = f.caption();
  f.skin->OnCustomButtonDraw = TOnCustomButtonDraw(
      [&](ui::Persistent* sender, ui::Canvas&, RECT, int index, TTitleButtonState) {
        EXPECT_EQ(sender, &c);
        drawn.push_back(index);
      });
  f.skin->OnCustomButtonClick = TOnCustomButtonClick([&](ui::Persistent* sender, int index) {
    EXPECT_EQ(sender, &c);
    clicked.push_back(index);
  });
  c.SetCustomButtonCount(2);
  ASSERT_GE(drawn.size(), 2u);
  EXPECT_EQ(drawn[0], 1);
  EXPECT_EQ(drawn[1], 2);
  // Custom button 1 sits left of minimise, button 2 left of that.
  EXPECT_EQ(f.hit(400 - 81, 10), HTOBJECT);
  EXPECT_EQ(c.CaptionButtonAt(POINT{400 - 103, 10}, RECT{0, 0, 400, 28}), 4);
  RECT r = f.windowRect();
  LPARAM at = MAKELPARAM(r.left + 400 - 103, r.top + 10);
  f.hit(400 - 103, 10);
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTOBJECT, at);
  SendMessageW(f.wnd(), WM_NCLBUTTONUP, HTOBJECT, at);
  EXPECT_EQ(clicked, (std::vector<int>{2}));
  EXPECT_EQ(c.PressedButton(), -10);
}

TEST(SkinButtons, SystemButtonsFollowTheBorderIcons) {
  CaptionForm f;
  TxpCaption& c = f.caption();
  f.form->setBorderIcons(ui::biSystemMenu | ui::biMinimize);
  EXPECT_EQ(c.SystemButtonCount(), 2);
  EXPECT_EQ(c.CaptionButtonAt(POINT{400 - 15, 10}, RECT{0, 0, 400, 28}), 0);
  EXPECT_EQ(c.CaptionButtonAt(POINT{400 - 37, 10}, RECT{0, 0, 400, 28}), 2);
  f.form->setBorderIcons(ui::biMinimize | ui::biMaximize);
  EXPECT_EQ(c.SystemButtonCount(), 0);
  c.SetCustomButtonCount(1);
  EXPECT_EQ(c.CaptionButtonAt(POINT{400 - 15, 10}, RECT{0, 0, 400, 28}), 3);
}
