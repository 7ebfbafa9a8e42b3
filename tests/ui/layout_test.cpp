// Alignment of the test form (banner along the bottom, tree on the left, splitter,
// player area) and its scaling for another pixel density.
#include <gtest/gtest.h>

#include "probe.h"

using namespace uitest;

namespace {

RECT bounds(ui::Control* c) { return c->boundsRect(); }

void expectLayout(ui::Form& f, int treeWidth, int bannerHeight) {
  RECT client;
  GetClientRect(f.handle(), &client);
  int cw = client.right, ch = client.bottom;
  auto* banner = f.find<ui::Panel>("Panel1");
  auto* tree = f.find<ui::TreeView>("lbMenu");
  auto* split = f.find<ui::Splitter>("Splitter1");
  auto* area = f.find<ui::Panel>("pFlash");
  RECT b = bounds(banner), t = bounds(tree), s = bounds(split), a = bounds(area);
  EXPECT_EQ(b.left, 0);
  EXPECT_EQ(b.right, cw);
  EXPECT_EQ(b.bottom, ch);
  EXPECT_EQ(b.bottom - b.top, bannerHeight);
  EXPECT_EQ(t.left, 0);
  EXPECT_EQ(t.top, 0);
  EXPECT_EQ(t.right - t.left, treeWidth);
  EXPECT_EQ(t.bottom, b.top);
  EXPECT_EQ(s.left, t.right);
  EXPECT_EQ(s.bottom, b.top);
  EXPECT_EQ(a.left, s.right);
  EXPECT_EQ(a.right, cw);
  EXPECT_EQ(a.top, 0);
  EXPECT_EQ(a.bottom, b.top);
  // The windows are where the controls say.
  RECT w;
  GetWindowRect(tree->handle(), &w);
  MapWindowPoints(nullptr, f.handle(), reinterpret_cast<POINT*>(&w), 2);
  EXPECT_EQ(w.left, t.left);
  EXPECT_EQ(w.right, t.right);
  EXPECT_EQ(w.bottom, t.bottom);
}

}  // namespace

TEST(Layout, AlignsBannerTreeSplitterAndClient) {
  TestForm f;
  f.show();
  expectLayout(f, 153, 55);
}

TEST(Layout, ResizeKeepsBannerHeightAndTreeWidth) {
  TestForm f;
  f.show();
  f.setBounds(0, 0, 900, 700);
  pump();
  expectLayout(f, 153, 55);
  RECT client;
  GetClientRect(f.handle(), &client);
  EXPECT_EQ(f.find<ui::Panel>("pFlash")->width(), client.right - 156);
  // A resize by the system (as the user's drag would do) realigns too.
  SetWindowPos(f.handle(), nullptr, 10, 10, 500, 400, SWP_NOZORDER);
  pump();
  EXPECT_EQ(f.width(), 500);
  expectLayout(f, 153, 55);
}

TEST(Layout, HiddenChildGivesItsPlaceAway) {
  TestForm f;
  f.show();
  f.find<ui::Panel>("Panel1")->hide();
  RECT client;
  GetClientRect(f.handle(), &client);
  EXPECT_EQ(f.find<ui::TreeView>("lbMenu")->height(), client.bottom);
  EXPECT_FALSE(IsWindowVisible(f.find<ui::Panel>("Panel1")->handle()));
}

TEST(Layout, PanelBevelsAndBorderShrinkTheAlignArea) {
  TestForm f;
  auto* area = f.find<ui::Panel>("pFlash");
  auto* inner = new ui::Panel(&f);
  inner->setParent(area);
  inner->setAlign(ui::Align::Client);
  area->setBorderWidth(2);
  area->setBevelInner(ui::Bevel::Lowered);
  area->setBevelWidth(3);
  f.show();
  RECT r = inner->boundsRect();
  EXPECT_EQ(r.left, 8);  // outer bevel 3 + border 2 + inner bevel 3
  EXPECT_EQ(r.top, 8);
  EXPECT_EQ(area->clientWidth() - r.right, 8);
}

TEST(Layout, ScalesForAScreenOf120PixelsPerInch) {
  // The same form at 96 dpi gives the reference client size.
  int cw96 = 0, ch96 = 0;
  {
    TestForm f;
    cw96 = f.clientWidth();
    ch96 = f.clientHeight();
  }
  auto oldPpi = ui::Form::screenPixelsPerInch;
  auto oldHeight = ui::Form::measureTextHeight;
  int measuredHeight = 0;
  ui::Form::screenPixelsPerInch = [] { return 120; };
  ui::Form::measureTextHeight = [&](const ui::Font& font) {
    measuredHeight = font.height();
    return 16;  // MS Sans Serif at 120 dpi
  };
  {
    TestForm f;
    EXPECT_EQ(measuredHeight, -14);  // the form font is measured at the new density
    EXPECT_EQ(f.font().height(), -14);
    EXPECT_EQ(f.pixelsPerInch(), 120);
    EXPECT_EQ(f.textHeight(), 16);
    EXPECT_EQ(f.clientWidth(), MulDiv(cw96, 16, 13));
    EXPECT_EQ(f.clientHeight(), MulDiv(ch96, 16, 13));
    auto* tree = f.find<ui::TreeView>("lbMenu");
    EXPECT_EQ(tree->font().height(), MulDiv(-12, 16, 13));
    EXPECT_EQ(f.find<ui::Panel>("Panel1")->font().height(), -14);  // follows the form
    f.show();
    expectLayout(f, MulDiv(153, 16, 13), MulDiv(395, 16, 13) - MulDiv(340, 16, 13));
  }
  ui::Form::screenPixelsPerInch = oldPpi;
  ui::Form::measureTextHeight = oldHeight;
}

TEST(Layout, NoScalingAtTheDesignedDensity) {
  auto oldHeight = ui::Form::measureTextHeight;
  ui::Form::measureTextHeight = [](const ui::Font&) { return 13; };
  auto oldPpi = ui::Form::screenPixelsPerInch;
  ui::Form::screenPixelsPerInch = [] { return 96; };
  {
    TestForm f;
    EXPECT_EQ(f.find<ui::TreeView>("lbMenu")->width(), 153);
    EXPECT_EQ(f.font().height(), -11);
  }
  ui::Form::measureTextHeight = oldHeight;
  ui::Form::screenPixelsPerInch = oldPpi;
}
