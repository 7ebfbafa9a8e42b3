// Images inside pages: natural sizes once decoded, animation frames stepped by advance(),
// background tiling.
#include <gtest/gtest.h>

#include "gif_builder.h"
#include "page_test_util.h"

namespace page {
namespace {

std::vector<const DisplayItem*> images(const DisplayList& list) {
  std::vector<const DisplayItem*> out;
  for (auto& it : list)
    if (it.kind == ItemKind::Image) out.push_back(&it);
  return out;
}

void deliver(Page& p, const Request& r, const std::vector<uint8_t>& bytes) {
  p.deliver(r.id, bytes.data(), bytes.size(), "image/gif");
}

TEST(Images, DecodedImageTakesItsNaturalSize) {
  Page p;
  test::loadHtml(p, "<body leftmargin=0 topmargin=0><img src=a.gif>x</body>");
  auto r = p.takeRequests();
  ASSERT_EQ(r.size(), 1u);
  test::GifFrame f{0, 0, 3, 2, std::vector<uint8_t>(6, 1)};
  deliver(p, r[0], test::buildGif(3, 2, {f}));
  EXPECT_TRUE(p.needsLayout());
  test::FixedMeasurer m;
  p.layout(200, 55, m);
  auto list = p.displayList();
  auto im = images(list);
  ASSERT_EQ(im.size(), 1u);
  EXPECT_EQ(im[0]->rect, (Rect{0, 10, 3, 2}));  // bottom on the baseline at 12
  EXPECT_EQ(im[0]->image->frames[0].pixels[0], 0xFFFF0000u);
  EXPECT_EQ(im[0]->frame, 0);
}

TEST(Images, AnimatedGifStepsWithTime) {
  Page p;
  test::loadHtml(p, "<img src=a.gif>");
  auto r = p.takeRequests();
  test::GifFrame a{0, 0, 1, 1, {1}, 10}, b{0, 0, 1, 1, {2}, 30};
  deliver(p, r[0], test::buildGif(1, 1, {a, b}, 2));
  test::FixedMeasurer m;
  p.layout(200, 55, m);
  EXPECT_EQ(p.advance(0), 100);
  EXPECT_EQ(p.advance(60), 40);
  EXPECT_EQ(images(p.displayList())[0]->frame, 0);
  EXPECT_EQ(p.advance(40), 300);
  EXPECT_EQ(images(p.displayList())[0]->frame, 1);
  // Two loops, then it rests on its last frame and asks for no more time.
  p.advance(300 + 100);
  EXPECT_EQ(images(p.displayList())[0]->frame, 1);
  EXPECT_FALSE(p.advance(10000).has_value());
  EXPECT_EQ(images(p.displayList())[0]->frame, 1);
}

TEST(Images, HiddenAnimationNeedsNoTimer) {
  Page p;
  test::loadHtml(p, "<div style='display:none'><img src=a.gif></div>");
  auto r = p.takeRequests();
  test::GifFrame a{0, 0, 1, 1, {1}, 10};
  deliver(p, r[0], test::buildGif(1, 1, {a, a}));
  test::FixedMeasurer m;
  p.layout(200, 55, m);
  EXPECT_FALSE(p.advance(0).has_value());
}

TEST(Images, BodyBackgroundIsTiled) {
  Page p;
  test::loadHtml(p, "<body background=bg.gif leftmargin=0 topmargin=0>x</body>");
  auto r = p.takeRequests();
  test::GifFrame f{0, 0, 10, 10, std::vector<uint8_t>(100, 3)};
  deliver(p, r[0], test::buildGif(10, 10, {f}));
  test::FixedMeasurer m;
  p.layout(35, 20, m);
  auto list = p.displayList();
  auto im = images(list);
  ASSERT_EQ(im.size(), 8u);  // 4 across, 2 down
  EXPECT_EQ(im[0]->rect, (Rect{0, 0, 10, 10}));
  EXPECT_EQ(im[7]->rect, (Rect{30, 10, 10, 10}));
}

TEST(Images, ImageLinkIsHit) {
  Page p;
  test::loadHtml(p, "<body leftmargin=0 topmargin=0><a href='http://x/'><img src=a.gif width=50 height=20 border=0></a>");
  test::FixedMeasurer m;
  p.layout(200, 55, m);
  EXPECT_EQ(p.linkAt(25, 10), "http://x/");
  EXPECT_FALSE(p.linkAt(60, 10).has_value());
}

}  // namespace
}  // namespace page
