// Alignment of the test form (banner along the bottom, tree on the left, splitter,
// player area) and its scaling for another pixel density.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "probe.h"

using namespace uitest;

namespace {

// A length of the stored layout on a screen where the text height is th instead of 13.
int scaled(int length, int th) { return static_cast<int>(std::lround(length * th / 13.0)); }

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

// The framework's density source and text measurement stand for another screen or
// another machine's fonts; both are put back when the test ends.
class DensityTest : public ::testing::TestWithParam<int> {
 protected:
  void TearDown() override {
    ui::Form::screenPixelsPerInch = oldPpi_;
    ui::Form::measureTextHeight = oldHeight_;
  }

 private:
  std::function<int()> oldPpi_ = ui::Form::screenPixelsPerInch;
  std::function<int(const ui::Font&)> oldHeight_ = ui::Form::measureTextHeight;
};

// The text height of a font as the screen measures it (the cell height of its metrics).
static int textHeightOf(const wchar_t* face, int height) {
  HDC dc = GetDC(nullptr);
  HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

// A machine whose form font measures 12 or 14 pixels high at 96 pixels per inch lays the
// form out as stored.
class AtTheDesignedDensity : public DensityTest {};

TEST_P(AtTheDesignedDensity, TheStoredSizesStandWhateverTheFontMeasures) {
  HDC dc = GetDC(nullptr);
  ASSERT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
  ReleaseDC(nullptr, dc);
  int measured = GetParam();
  ui::Form::measureTextHeight = [measured](const ui::Font&) { return measured; };
  TestForm f;
  EXPECT_EQ(f.width(), 600);
  EXPECT_EQ(f.height(), 450);
  EXPECT_EQ(f.font().height(), -11);
  EXPECT_EQ(f.find<ui::TreeView>("lbMenu")->font().height(), -12);
  f.show();
  expectLayout(f, 153, 55);
}

INSTANTIATE_TEST_SUITE_P(Layout, AtTheDesignedDensity, ::testing::Values(12, 14));

// On a screen of another density the form font follows the density and everything else
// the font's new text height.
class OnAnotherDensity : public DensityTest {};

TEST_P(OnAnotherDensity, TheFontFollowsTheDensityAndTheLayoutTheTextHeight) {
  int ppi = GetParam();
  ui::Form::screenPixelsPerInch = [ppi] { return ppi; };
  int fontHeight = static_cast<int>(std::lround(-11 * ppi / 96.0));
  int th = textHeightOf(L"MS Sans Serif", fontHeight);
  ASSERT_GT(th, textHeightOf(L"MS Sans Serif", -11));  // a larger text really is taller
  TestForm f;
  EXPECT_EQ(f.pixelsPerInch(), ppi);
  EXPECT_EQ(f.textHeight(), th);
  EXPECT_EQ(f.font().height(), fontHeight);
  EXPECT_EQ(f.find<ui::Panel>("Panel1")->font().height(), fontHeight);  // follows the form
  EXPECT_EQ(f.find<ui::TreeView>("lbMenu")->font().height(), scaled(-12, th));
  f.show();
  // Banner: its top (340) and bottom (395) scale, and its height is what lies between.
  expectLayout(f, scaled(153, th), scaled(395, th) - scaled(340, th));
  EXPECT_GT(f.find<ui::TreeView>("lbMenu")->width(), 153);
}

INSTANTIATE_TEST_SUITE_P(Layout, OnAnotherDensity, ::testing::Values(120, 144));
