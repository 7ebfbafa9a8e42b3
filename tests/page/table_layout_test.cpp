// Table layout: column widths from content and attributes, colspan, spacing, alignment.
#include <gtest/gtest.h>

#include "page_test_util.h"

namespace page {
namespace {

using test::LaidPage;

std::string body(const std::string& inner) { return "<body leftmargin=0 topmargin=0>" + inner + "</body>"; }

TEST(TableLayout, ColumnsTakeTheirContentWidth) {
  LaidPage p(body("<table cellspacing=0 cellpadding=0><tr><td>aa</td><td>bbbb</td></tr></table>"));
  EXPECT_EQ(p.text("aa")->rect.x, 0);
  EXPECT_EQ(p.text("bbbb")->rect.x, 16);
  EXPECT_EQ(p.text("bbbb")->rect.y, 0);
}

TEST(TableLayout, DefaultSpacingAndPadding) {
  // cellspacing 2 and cellpadding 1 by default.
  LaidPage p(body("<table><tr><td>aa</td><td>b</td></tr><tr><td>c</td></tr></table>x"));
  EXPECT_EQ(p.text("aa")->rect.x, 3);
  EXPECT_EQ(p.text("aa")->rect.y, 3);
  EXPECT_EQ(p.text("b")->rect.x, 2 + 18 + 2 + 1);
  EXPECT_EQ(p.text("c")->rect.y, 2 + 18 + 2 + 1);
  EXPECT_EQ(p.text("x")->rect.y, 2 + 18 + 2 + 18 + 2);
}

TEST(TableLayout, FixedColumnAndTableWidth) {
  LaidPage p(body("<table width=200 cellspacing=0 cellpadding=0><tr><td width=50>a</td><td>b</td>"
                  "<td width=30>c</td></tr></table>"));
  EXPECT_EQ(p.text("b")->rect.x, 50);
  EXPECT_EQ(p.text("c")->rect.x, 170);
}

TEST(TableLayout, PercentWidths) {
  LaidPage p(body("<table width=100% cellspacing=0 cellpadding=0><tr><td width=25%>a</td><td>b</td></tr></table>"),
             400);
  EXPECT_EQ(p.text("b")->rect.x, 100);
}

TEST(TableLayout, ColspanSpreadsOverItsColumns) {
  LaidPage p(body("<table cellspacing=0 cellpadding=0><tr><td colspan=2>xxxxxxxxxx</td></tr>"
                  "<tr><td>a</td><td>b</td></tr></table>"));
  EXPECT_EQ(p.text("b")->rect.x, 40);
  EXPECT_EQ(p.text("a")->rect.y, 16);
}

TEST(TableLayout, CellsAreVerticallyCentredByDefault) {
  LaidPage p(body("<table cellspacing=0 cellpadding=0><tr><td>a<br>b<br>c</td><td>x</td>"
                  "<td valign=top>t</td><td valign=bottom>u</td></tr></table>"));
  EXPECT_EQ(p.text("x")->rect.y, 16);
  EXPECT_EQ(p.text("t")->rect.y, 0);
  EXPECT_EQ(p.text("u")->rect.y, 32);
}

TEST(TableLayout, TallerTableSharesItsHeightAmongRows) {
  LaidPage p(body("<table height=55 cellspacing=0 cellpadding=0><tr><td>a</td></tr></table>x"));
  EXPECT_EQ(p.text("a")->rect.y, (55 - 16) / 2);
  EXPECT_EQ(p.text("x")->rect.y, 55);
  LaidPage q(body("<table height=100 cellspacing=0 cellpadding=0><tr><td valign=top>a</td></tr>"
                  "<tr><td valign=top>b</td></tr></table>"));
  EXPECT_EQ(q.text("a")->rect.y, 0);
  EXPECT_EQ(q.text("b")->rect.y, 16 + 34);  // each row gets (100 - 32) / 2 more
}

TEST(TableLayout, PercentHeightIsOfTheView) {
  LaidPage p(body("<table height=100% cellspacing=0 cellpadding=0><tr><td>a</td></tr></table>"), 400, 55);
  EXPECT_EQ(p.text("a")->rect.y, (55 - 16) / 2);
  EXPECT_FALSE(p.page.scrollState().verticalBar);
}

TEST(TableLayout, CentredTable) {
  LaidPage p(body("<table align=center cellspacing=0 cellpadding=0><tr><td>ab</td></tr></table>"), 400);
  EXPECT_EQ(p.text("ab")->rect.x, 192);
  LaidPage q(body("<center><table cellspacing=0 cellpadding=0><tr><td>ab</td></tr></table></center>"), 400);
  EXPECT_EQ(q.text("ab")->rect.x, 192);
}

TEST(TableLayout, NarrowViewWrapsCellText) {
  LaidPage p(body("<table width=60 cellspacing=0 cellpadding=0><tr><td>aaa bbb ccc</td></tr></table>"), 400);
  auto texts = test::textItems(p.list);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(test::utf8(texts[0].text), "aaa bbb");
  EXPECT_EQ(texts[1].rect.y, 16);
}

TEST(TableLayout, NowrapCellKeepsItsLine) {
  LaidPage p(body("<table width=60 cellspacing=0 cellpadding=0><tr><td nowrap>aaa bbb ccc</td></tr></table>"));
  EXPECT_EQ(test::textItems(p.list).size(), 1u);
}

TEST(TableLayout, CellBackgroundsAndBorders) {
  LaidPage p(body("<table border=1 cellspacing=0 cellpadding=0><tr><td bgcolor=#00ff00>ab</td></tr></table>"));
  // The cell's fill spans the cell: inside the 1 px table border.
  bool filled = false;
  for (auto& it : p.list)
    filled |= it.kind == ItemKind::FillRect && it.color == 0xFF00FF00u && it.rect == Rect{1, 1, 18, 18};
  EXPECT_TRUE(filled);
  EXPECT_EQ(p.text("ab")->rect.x, 2);  // border 1 + cell border 1
}

TEST(TableLayout, ImagesSideBySide) {
  LaidPage p(body("<table cellspacing=0 cellpadding=0><tr><td><img src=a.gif width=100 height=50></td>"
                  "<td><img src=b.gif width=60 height=50></td><td>text</td></tr></table>"));
  EXPECT_EQ(p.text("text")->rect.x, 160);
  EXPECT_EQ(p.text("text")->rect.y, 17);  // centred in the 50 px row
}

TEST(TableLayout, NestedTables) {
  LaidPage p(body("<table cellspacing=0 cellpadding=0><tr><td>"
                  "<table cellspacing=0 cellpadding=4><tr><td>in</td></tr></table></td><td>out</td></tr></table>"));
  EXPECT_EQ(p.text("in")->rect.x, 4);
  EXPECT_EQ(p.text("out")->rect.x, 24);
}

}  // namespace
}  // namespace page
