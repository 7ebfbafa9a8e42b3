// Where the parts of a skinned menu item go, worked out by hand for a few items.
#include <gtest/gtest.h>

#include "skin/menu/menu_item_geometry.h"

using namespace xpmenu;

namespace {

ItemLayoutInput popup(Rect item) {
  ItemLayoutInput in;
  in.Item = item;
  return in;
}

}  // namespace

TEST(MenuItemLayout, PopupItemGetsFourExtraColumnsOnTheLeft) {
  ItemLayout l = LayoutMenuItem(popup({3, 23, 103, 43}));
  EXPECT_EQ(l.Destination, (Point{-1, 23}));
  EXPECT_EQ(l.BitmapWidth, 104);
  EXPECT_EQ(l.BitmapHeight, 20);
  EXPECT_EQ(l.Work, (Rect{4, 0, 104, 21}));  // one row below the bitmap
  EXPECT_EQ(l.IconColumn, (Rect{4, 0, 28, 21}));
  // A 10 by 10 box centred in the column, halves rounded toward zero.
  EXPECT_EQ(l.CheckRect, (Rect{11, 5, 21, 15}));
  EXPECT_EQ(l.TextRect, (Rect{28, 0, 104, 21}));
}

TEST(MenuItemLayout, BarItemHasNoExtraColumns) {
  ItemLayoutInput in = popup({40, 20, 80, 38});
  in.BarItem = true;
  ItemLayout l = LayoutMenuItem(in);
  EXPECT_EQ(l.Destination, (Point{40, 20}));
  EXPECT_EQ(l.BitmapWidth, 40);
  EXPECT_EQ(l.BitmapHeight, 18);
  EXPECT_EQ(l.Work, (Rect{0, 0, 40, 18}));
  EXPECT_EQ(l.TextRect, l.Work);           // no icon: the whole item
  EXPECT_EQ(l.CheckRect.Top, 3);           // (18 - 10) / 2, moved up by 1
}

TEST(MenuItemLayout, BarItemIconPushesTheTextEdgeOutwards) {
  ItemLayoutInput in = popup({0, 0, 60, 18});
  in.BarItem = true;
  in.IconW = in.IconH = 16;
  EXPECT_EQ(LayoutMenuItem(in).TextRect, (Rect{15, 0, 60, 18}));  // x1 = 16 + 4, then 5 outwards
  in.RightToLeft = true;
  EXPECT_EQ(LayoutMenuItem(in).TextRect, (Rect{0, 0, 41, 18}));   // x2 = 60 - 16 - 8, then 5 outwards
}

TEST(MenuItemLayout, IconsWiderThanTheColumnMoveTheTextAndWidenTheCheckRect) {
  ItemLayoutInput in = popup({0, 0, 100, 40});
  in.IconW = in.IconH = 32;
  ItemLayout l = LayoutMenuItem(in);
  EXPECT_EQ(l.CheckRect, (Rect{5, 2, 37, 39}));  // IC (4, 0, 28, 41) shrunk, widened to 32
  EXPECT_EQ(l.TextRect.Left, 4 + 32 + 4);
  in.RightToLeft = true;
  l = LayoutMenuItem(in);
  EXPECT_EQ(l.IconColumn, (Rect{80, 0, 104, 41}));
  EXPECT_EQ(l.CheckRect, (Rect{69, 2, 101, 39}));
  EXPECT_EQ(l.TextRect, (Rect{4, 0, 104 - 32 - 8, 41}));
}

TEST(MenuItemLayout, RightToLeftPopupPutsTheIconColumnOnTheRight) {
  ItemLayoutInput in = popup({0, 0, 100, 20});
  in.RightToLeft = true;
  ItemLayout l = LayoutMenuItem(in);
  EXPECT_EQ(l.IconColumn, (Rect{80, 0, 104, 21}));
  EXPECT_EQ(l.TextRect, (Rect{4, 0, 80, 21}));
}

TEST(MenuItemText, CaptionIsInsetAndCentred) {
  EXPECT_EQ(CaptionRect({28, 0, 104, 21}, false, 13), (Rect{31, 4, 104, 21}));
  EXPECT_EQ(CaptionRect({4, 0, 80, 21}, true, 14), (Rect{4, 3, 77, 21}));
}

TEST(MenuItemText, SeparatorRunsThroughTheMiddleFromSevenPixelsRightOfTheColumn) {
  EXPECT_EQ(SeparatorLine({28, 0, 104, 5}, false), (Segment{{35, 2}, {104, 2}}));  // 2.5 rounds to 2
  EXPECT_EQ(SeparatorLine({28, 0, 104, 7}, false), (Segment{{35, 4}, {104, 4}}));  // 3.5 rounds to 4
  EXPECT_EQ(SeparatorLine({4, 0, 80, 5}, true), (Segment{{4, 2}, {73, 2}}));
}

TEST(MenuItemText, HalvesRoundToEven) {
  EXPECT_EQ(HalfRoundedToEven(0), 0);
  EXPECT_EQ(HalfRoundedToEven(1), 0);
  EXPECT_EQ(HalfRoundedToEven(3), 2);
  EXPECT_EQ(HalfRoundedToEven(4), 2);
  EXPECT_EQ(HalfRoundedToEven(5), 2);
  EXPECT_EQ(HalfRoundedToEven(-1), 0);
  EXPECT_EQ(HalfRoundedToEven(-3), -2);
}

TEST(MenuItemIcon, CentredWhenNarrowEdgeWhenWideLiftedWhenHot) {
  Rect ic{4, 0, 28, 21};
  EXPECT_EQ(ItemIconPosition(ic, 16, 24, false, false), (Point{7, 3}));  // 4 + 8 / 2 - 1
  EXPECT_EQ(ItemIconPosition(ic, 17, 24, false, false), (Point{6, 3}));  // 7 / 2 rounds down
  EXPECT_EQ(ItemIconPosition(ic, 24, 24, false, false), (Point{6, 3}));
  EXPECT_EQ(ItemIconPosition(ic, 24, 24, false, true), (Point{2, 3}));   // 28 - 24 - 2
  EXPECT_EQ(ItemIconPosition(ic, 16, 24, true, false), (Point{5, 3}));
  EXPECT_EQ(ItemIconPosition(ic, 16, 24, true, true), (Point{7, 3}));    // 28 - 16 - 5
  EXPECT_EQ(LiftedIconPosition({7, 3}, false), (Point{6, 2}));
  EXPECT_EQ(LiftedIconPosition({7, 3}, true), (Point{6, 1}));
}

TEST(MenuItemCheck, TickLeavesTheBoxAtTheTopRight) {
  std::vector<Segment> s = TickStrokes({11, 5, 21, 15});
  ASSERT_EQ(s.size(), 5u);
  EXPECT_EQ(s[0], (Segment{{12, 10}, {15, 13}}));
  EXPECT_EQ(s[3], (Segment{{15, 12}, {23, 4}}));
  EXPECT_EQ(s[4], (Segment{{15, 13}, {19, 8}}));
}

TEST(MenuItemGradient, FastInTheIconColumnSlowAfterCappedAt96) {
  std::vector<GradientColumn> c = IconGradientColumns({0, 0, 100, 20}, 24, false);
  ASSERT_EQ(c.size(), 100u);
  EXPECT_EQ(c[0], (GradientColumn{0, 1}));   // the first column is not inside the zone
  EXPECT_EQ(c[1], (GradientColumn{1, 4}));
  EXPECT_EQ(c[28], (GradientColumn{28, 1 + 3 * 28}));  // last zone column: 0 < x < 29
  EXPECT_EQ(c[29].Percent, 86);
  EXPECT_EQ(c[39].Percent, 96);
  EXPECT_EQ(c[99].Percent, 96);
  std::vector<GradientColumn> r = IconGradientColumns({0, 0, 100, 20}, 24, true);
  EXPECT_EQ(r[0], (GradientColumn{99, 3}));   // 81 < 99 < 100
  EXPECT_EQ(r[17], (GradientColumn{82, 54}));
  EXPECT_EQ(r[18], (GradientColumn{81, 55}));  // outside the zone
}

TEST(MenuBarSelection, RaisedShadeStaysInTheRightmostSevenColumns) {
  Rect w{0, 0, 50, 18};
  EXPECT_EQ(RaisedSelectionOutline(w).back(), (Point{42, 18}));
  for (const ShadeFill& f : RaisedSelectionShadeFills(w)) {
    EXPECT_GE(f.Area.Left, 43);
    EXPECT_LE(f.Area.Right, 50);
  }
  for (const ShadeLine& l : RaisedSelectionShadeLines(w))
    for (Point p : l.Points) EXPECT_GE(p.X, 44);
  EXPECT_EQ(PlainSelectionStrip(w), (Rect{48, 2, 50, 18}));
  EXPECT_EQ(PlainSelectionCorner(w), (Rect{48, 0, 50, 2}));
  EXPECT_EQ(PlainSelectionOutline(w)[2], (Point{47, 0}));
}
