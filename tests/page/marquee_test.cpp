// Marquee stepping through Page::advance, read back from the display list.
#include <gtest/gtest.h>

#include "page_test_util.h"

namespace page {
namespace {

using test::LaidPage;

std::optional<Rect> textRect(Page& p, const std::string& text) {
  for (auto& it : p.displayList())
    if (it.kind == ItemKind::Text && test::utf8(it.text) == text) return it.rect;
  return std::nullopt;
}

std::string marquee(const std::string& attrs) {
  return "<body leftmargin=0 topmargin=0><marquee width=100 scrollamount=10 scrolldelay=100 " + attrs +
         ">abc</marquee></body>";
}

TEST(Marquee, ScrollsLeftAndStartsAgain) {
  LaidPage p(marquee(""));
  EXPECT_FALSE(textRect(p.page, "abc").has_value());  // starts just outside the right edge
  EXPECT_EQ(p.page.advance(0), 100);
  EXPECT_EQ(p.page.advance(100), 100);
  EXPECT_EQ(textRect(p.page, "abc")->x, 90);
  p.page.advance(1000);
  EXPECT_EQ(textRect(p.page, "abc")->x, -10);  // partly out on the left, still shown
  p.page.advance(40);
  EXPECT_EQ(p.page.advance(60), 100);           // the step to -20
  p.page.advance(100);                          // -30: gone, so it starts again at the right
  EXPECT_FALSE(textRect(p.page, "abc").has_value());
  p.page.advance(100);
  EXPECT_EQ(textRect(p.page, "abc")->x, 90);
}

TEST(Marquee, ClipsToItsBox) {
  LaidPage p(marquee(""));
  p.page.advance(100);
  bool clip = false;
  for (auto& it : p.page.displayList()) clip |= it.kind == ItemKind::PushClip && it.rect == Rect{0, 0, 100, 16};
  EXPECT_TRUE(clip);
}

TEST(Marquee, RightToLeftDirectionAndLoopCount) {
  LaidPage p(marquee("direction=right loop=1"));
  p.page.advance(100);
  EXPECT_EQ(textRect(p.page, "abc")->x, -24 + 10);
  // One pass is 124 px: 13 steps; after it nothing moves and no timer is needed.
  std::optional<int> next;
  for (int i = 0; i < 12; ++i) next = p.page.advance(100);
  EXPECT_FALSE(next.has_value());
  EXPECT_FALSE(p.page.advance(1000).has_value());
}

TEST(Marquee, SlideStopsAtTheEdge) {
  LaidPage p(marquee("behavior=slide"));
  p.page.advance(100 * 9);
  EXPECT_EQ(textRect(p.page, "abc")->x, 10);
  EXPECT_FALSE(p.page.advance(100).has_value());
  EXPECT_EQ(textRect(p.page, "abc")->x, 0);
}

TEST(Marquee, AlternateBouncesBetweenTheEdges) {
  LaidPage p(marquee("behavior=alternate"));
  EXPECT_EQ(textRect(p.page, "abc")->x, 76);
  p.page.advance(800);  // 76 -> 0 after 8 steps (clamped), then turns
  EXPECT_EQ(textRect(p.page, "abc")->x, 0);
  p.page.advance(100);
  EXPECT_EQ(textRect(p.page, "abc")->x, 10);
}

TEST(Marquee, VerticalDirection) {
  LaidPage p("<body leftmargin=0 topmargin=0><marquee direction=up height=40 scrollamount=5 scrolldelay=60>"
             "abc</marquee>z</body>");
  p.page.advance(60);
  auto r = textRect(p.page, "abc");
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->y, 35);
  EXPECT_EQ(textRect(p.page, "z")->y, 40);
}

TEST(Marquee, ScrollDelayHasAFloorUnlessTruespeed) {
  LaidPage p("<marquee scrolldelay=10>x</marquee>");
  EXPECT_EQ(p.page.advance(0), 60);
  LaidPage q("<marquee scrolldelay=10 truespeed>x</marquee>");
  EXPECT_EQ(q.page.advance(0), 10);
}

TEST(Marquee, NothingMovingNeedsNoTimer) {
  LaidPage p("<body>still</body>");
  EXPECT_FALSE(p.page.advance(0).has_value());
  LaidPage q("<marquee scrollamount=0>x</marquee>");
  EXPECT_FALSE(q.page.advance(0).has_value());
}

TEST(Marquee, HugeElapsedTimeIsBounded) {
  LaidPage p(marquee(""));
  EXPECT_TRUE(p.page.advance(1 << 30).has_value());
}

}  // namespace
}  // namespace page
