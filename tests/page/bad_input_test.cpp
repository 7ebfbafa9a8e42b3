// Bad input ends in a clean state: huge pages, deep nesting, broken markup and images.
#include <gtest/gtest.h>

#include <random>

#include "page_test_util.h"

namespace page {
namespace {

void layOut(Page& p, int w = 892, int h = 55) {
  test::FixedMeasurer m;
  p.layout(w, h, m);
  DisplayList list = p.displayList();
  ASSERT_FALSE(list.empty());
  int depth = 0;
  for (auto& it : list) {
    if (it.kind == ItemKind::PushClip) ++depth;
    if (it.kind == ItemKind::PopClip) --depth;
    ASSERT_GE(depth, 0);
  }
  EXPECT_EQ(depth, 0);  // clips balance
  p.advance(1000);
  p.linkAt(10, 10);
}

// The host lays out as soon as its window has a size, before any page has arrived.
TEST(BadInput, LayoutBeforeAnyDocument) {
  Page blank;
  layOut(blank);
  Page waiting;
  waiting.navigate("http://127.0.0.1:88/edu/info.htm");
  layOut(waiting);
  EXPECT_EQ(waiting.displayList().front().color, 0xFFFFFFFFu);  // blank white while loading
}

TEST(BadInput, DeeplyNestedMarkup) {
  for (const char* open : {"<div>", "<table><tr><td>", "<b><i>", "<marquee>", "<font size=7>", "<ul><li>"}) {
    std::string html;
    for (int i = 0; i < 3000; ++i) html += open;
    html += "deep";
    Page p;
    test::loadHtml(p, html);
    layOut(p);
  }
}

TEST(BadInput, HugePageIsCapped) {
  std::string html = "<body>";
  while (html.size() < kMaxDocumentBytes + 100000) html += "<span>word</span> <br>";
  Page p;
  test::loadHtml(p, html);
  layOut(p);
  EXPECT_GT(p.scrollState().contentHeight, 55);
}

TEST(BadInput, RandomBytesAsAPage) {
  std::mt19937 rng(5);
  for (int round = 0; round < 40; ++round) {
    std::string html;
    const char* pieces[] = {"<", ">", "</", "<table", "<td", "<tr", "=", "'", "\"", "&#", "&", ";", " ", "<!--",
                            "-->", "<script>", "<style>", "{", "}", "<marquee", "<iframe src=x>", "<img",
                            "\xC4\xE3", "\xFF", "\n", "colspan=99999", "width=-5", "<br>", "<frameset rows=", "*,"};
    for (int i = 0; i < 400; ++i) html += pieces[rng() % (sizeof pieces / sizeof *pieces)];
    Page p;
    test::loadHtml(p, html, "http://h/p.htm", "text/html");
    for (auto& r : p.takeRequests()) {
      if (r.kind == RequestKind::Document) {
        const std::string inner = html.substr(0, html.size() / 2);
        p.deliver(r.id, reinterpret_cast<const uint8_t*>(inner.data()), inner.size(), "text/html");
      } else {
        p.deliver(r.id, reinterpret_cast<const uint8_t*>(html.data()), html.size(), "image/gif");
      }
    }
    layOut(p);
  }
}

TEST(BadInput, AbsurdAttributeValues) {
  Page p;
  test::loadHtml(p, "<table width=99999999 cellspacing=99999 cellpadding=-3 border=9999><tr>"
                    "<td colspan=100000 width=200%>a</td><td width=99999999999>b</td></tr></table>"
                    "<img src=a.gif width=99999999 height=-1 hspace=999999>"
                    "<marquee scrollamount=99999999 scrolldelay=0 loop=-7 width=0 height=0>m</marquee>"
                    "<div style='margin:-99999px; padding:1e300px; width:-5px; font-size:1e9px'>x</div>"
                    "<font size=999999>big</font><frameset rows='9999999999,*'></frameset>");
  layOut(p);
}

TEST(BadInput, BrokenImagesAreShownAsNothing) {
  Page p;
  test::loadHtml(p, "<img src=a.gif><img src=b.png><img src=c.jpg>");
  auto r = p.takeRequests();
  ASSERT_EQ(r.size(), 3u);
  const uint8_t gifHead[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0};
  const uint8_t pngHead[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0};
  const uint8_t jpgHead[] = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F'};
  p.deliver(r[0].id, gifHead, sizeof gifHead, "image/gif");
  p.deliver(r[1].id, pngHead, sizeof pngHead, "image/png");
  p.deliver(r[2].id, jpgHead, sizeof jpgHead, "image/jpeg");
  EXPECT_EQ(p.takeCompletions().size(), 1u);
  layOut(p);
  for (auto& it : p.displayList()) EXPECT_NE(it.kind, ItemKind::Image);
}

TEST(BadInput, ManyImagesAreCapped) {
  std::string html;
  for (int i = 0; i < 500; ++i) html += "<img src=i" + std::to_string(i) + ".gif>";
  Page p;
  test::loadHtml(p, html);
  EXPECT_LE(int(p.takeRequests().size()), kMaxImages);
}

TEST(BadInput, ZeroAndNegativeViewSizes) {
  Page p;
  test::loadHtml(p, "<body>text <table><tr><td>cell</td></tr></table></body>");
  layOut(p, 0, 0);
  layOut(p, -5, -5);
  EXPECT_GE(p.scrollState().viewWidth, 0);
}

TEST(BadInput, DeliverBeforeNavigateAndNullData) {
  Page p;
  p.deliver(1, nullptr, 0, "");
  p.fail(1);
  EXPECT_TRUE(p.takeCompletions().empty());
  p.navigate("http://h/");
  auto r = p.takeRequests();
  p.deliver(r[0].id, nullptr, 100, "text/html");
  EXPECT_EQ(p.takeCompletions().size(), 1u);
  layOut(p);
}

}  // namespace
}  // namespace page
