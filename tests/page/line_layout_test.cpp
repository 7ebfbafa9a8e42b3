// Line boxes: positions of text runs and images for pages made for the test, with a
// measurer of fixed advance (8 px a character, lines 16 px high, baseline 12 px down).
#include <gtest/gtest.h>

#include "page_test_util.h"

namespace page {
namespace {

using test::LaidPage;

TEST(LineLayout, TextStartsInsideTheBodyMargin) {
  LaidPage p("<body>Hello world</body>");
  const DisplayItem* t = p.text("Hello world");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->rect, (Rect{8, 8, 88, 16}));
  EXPECT_EQ(t->baseline, 20);
}

TEST(LineLayout, SpacesCollapse) {
  LaidPage p("<body leftmargin=0 topmargin=0>  a \n\t  b  </body>");
  ASSERT_NE(p.text("a b"), nullptr);
  EXPECT_EQ(p.text("a b")->rect.x, 0);
}

TEST(LineLayout, WordsWrapAtTheRightEdge) {
  LaidPage p("<body leftmargin=0 topmargin=0>aaaa bbbb cccc dddd</body>", 100);
  auto texts = test::textItems(p.list);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(test::utf8(texts[0].text), "aaaa bbbb");
  EXPECT_EQ(test::utf8(texts[1].text), "cccc dddd");
  EXPECT_EQ(texts[1].rect.x, 0);
  EXPECT_EQ(texts[1].rect.y, 16);
}

TEST(LineLayout, CjkBreaksBetweenCharacters) {
  LaidPage p("<body leftmargin=0 topmargin=0>你好世界你好世界</body>", 40);
  auto texts = test::textItems(p.list);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(test::utf8(texts[0].text), "你好世界你");
  EXPECT_EQ(test::utf8(texts[1].text), "好世界");
  EXPECT_EQ(texts[1].rect.y, 16);
}

TEST(LineLayout, ClosingPunctuationStaysOnItsLine) {
  LaidPage p("<body leftmargin=0 topmargin=0>你好世界你，好</body>", 40);
  auto texts = test::textItems(p.list);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(test::utf8(texts[0].text), "你好世界");
  EXPECT_EQ(test::utf8(texts[1].text), "你，好");
}

TEST(LineLayout, GluedWordsMoveTogether) {
  // "abc<b>def</b>" is one word: it wraps as a whole.
  LaidPage p("<body leftmargin=0 topmargin=0>xxxxxxxx abc<b>def</b></body>", 100);
  const DisplayItem* abc = p.text("abc");
  const DisplayItem* def = p.text("def");
  ASSERT_NE(abc, nullptr);
  ASSERT_NE(def, nullptr);
  EXPECT_EQ(abc->rect.y, 16);
  EXPECT_EQ(def->rect.x, 24);
  EXPECT_EQ(def->rect.y, 16);
  EXPECT_TRUE(def->font.bold);
}

TEST(LineLayout, NowrapKeepsOneLine) {
  LaidPage p("<body leftmargin=0 topmargin=0><nobr>aaaa bbbb cccc</nobr></body>", 50);
  auto texts = test::textItems(p.list);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].rect.width, 112);
}

TEST(LineLayout, LineBreaks) {
  LaidPage p("<body leftmargin=0 topmargin=0>a<br>b<br><br>c</body>");
  ASSERT_NE(p.text("b"), nullptr);
  EXPECT_EQ(p.text("b")->rect.y, 16);
  EXPECT_EQ(p.text("c")->rect.y, 48);
}

TEST(LineLayout, CenterAndRightAlign) {
  LaidPage p("<body leftmargin=0 topmargin=0><center>abc</center><div align=right>xy</div></body>", 100);
  EXPECT_EQ(p.text("abc")->rect.x, 38);
  EXPECT_EQ(p.text("xy")->rect.x, 84);
  EXPECT_EQ(p.text("xy")->rect.y, 16);
}

TEST(LineLayout, ParagraphMarginsCollapseBetweenSiblings) {
  LaidPage p("<body leftmargin=0 topmargin=0><p>a</p><p>b</p></body>");
  // p margins are one font size (16): a at 16, b at 16 + 16 + 16.
  EXPECT_EQ(p.text("a")->rect.y, 16);
  EXPECT_EQ(p.text("b")->rect.y, 48);
}

TEST(LineLayout, InlineImageSitsOnTheBaseline) {
  LaidPage p("<body leftmargin=0 topmargin=0>a<img src=x.gif width=20 height=30>b</body>");
  ASSERT_NE(p.text("a"), nullptr);
  EXPECT_EQ(p.text("a")->rect.y, 18);  // baseline 30, ascent 12
  EXPECT_EQ(p.text("a")->baseline, 30);
  EXPECT_EQ(p.text("b")->rect.x, 28);
}

TEST(LineLayout, ImagesWithHspaceAndMiddleAlignment) {
  LaidPage p("<body leftmargin=0 topmargin=0>a<img src=x.gif width=20 height=40 hspace=5 align=absmiddle>b</body>");
  EXPECT_EQ(p.text("b")->rect.x, 8 + 30);
}

TEST(LineLayout, LinkHitTesting) {
  LaidPage p("<body leftmargin=0 topmargin=0>go <a href='/next.htm'>next</a> <a href='mailto:x@y'>mail</a></body>");
  EXPECT_EQ(p.page.linkAt(30, 5), "http://test.local/next.htm");
  EXPECT_FALSE(p.page.linkAt(4, 5).has_value());
  EXPECT_EQ(p.page.linkAt(70, 5), "mailto:x@y");
  EXPECT_FALSE(p.page.linkAt(30, 40).has_value());
}

TEST(LineLayout, BackgroundColourFillsTheView) {
  LaidPage p("<body bgcolor=#336699>x</body>", 120, 55);
  ASSERT_FALSE(p.list.empty());
  EXPECT_EQ(p.list[0].kind, ItemKind::FillRect);
  EXPECT_EQ(p.list[0].rect, (Rect{0, 0, 120, 55}));
  EXPECT_EQ(p.list[0].color, 0xFF336699u);
  EXPECT_EQ(p.page.backgroundColor(), 0xFF336699u);
}

TEST(LineLayout, DisplayNoneHidesContent) {
  LaidPage p("<body><div style='display:none'>hidden</div><span>shown</span><script>bad()</script></body>");
  EXPECT_EQ(p.text("hidden"), nullptr);
  EXPECT_EQ(p.text("bad()"), nullptr);
  EXPECT_NE(p.text("shown"), nullptr);
}

TEST(LineLayout, OverflowHiddenClips) {
  LaidPage p("<body leftmargin=0 topmargin=0><div style='height:20px;overflow:hidden'>a<br>b<br>c</div>z</body>");
  EXPECT_EQ(p.text("z")->rect.y, 20);
  bool clipped = false;
  for (auto& it : p.list) clipped |= it.kind == ItemKind::PushClip && it.rect == Rect{0, 0, 400, 20};
  EXPECT_TRUE(clipped);
}

TEST(LineLayout, ScrollOffsetMovesItems) {
  std::string html = "<body leftmargin=0 topmargin=0>";
  for (int i = 0; i < 20; ++i) html += "line<br>";
  test::LaidPage p(html, 200, 55);
  EXPECT_TRUE(p.page.scrollState().verticalBar);
  EXPECT_EQ(p.page.scrollState().contentHeight, 320);
  p.page.scrollTo(0, 10000);
  EXPECT_EQ(p.page.scrollState().scrollY, 320 - 55);
  auto texts = test::textItems(p.page.displayList());
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.back().rect.y, 304 - 265);
}

}  // namespace
}  // namespace page

namespace page {
namespace {

TEST(LineLayout, ListItemsGetMarkers) {
  LaidPage p("<body leftmargin=0 topmargin=0><ul><li>a<li>b</ul><ol><li>x<li>y</ol></body>");
  ASSERT_NE(p.text("\u2022"), nullptr);
  EXPECT_EQ(p.text("a")->rect.x, 40);
  EXPECT_EQ(p.text("\u2022")->rect.x, 40 - 8 - 6);
  ASSERT_NE(p.text("2."), nullptr);
  EXPECT_EQ(p.text("2.")->baseline, p.text("y")->baseline);
}

TEST(LineLayout, GbkPageWithoutCharsetShowsChinese) {
  Page page;
  const std::string gbk = "<body>\xC4\xE3\xBA\xC3</body>";  // 你好 in GBK
  page.load("http://h/", reinterpret_cast<const uint8_t*>(gbk.data()), gbk.size(), "text/html");
  test::FixedMeasurer m;
  page.layout(400, 55, m);
  auto texts = test::textItems(page.displayList());
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, U"你好");
}

TEST(LineLayout, LoadOfAnUnfetchableAddressShowsTheBytes) {
  Page page;
  test::loadHtml(page, "<title> T </title><body>local</body>", "about:blank");
  EXPECT_EQ(page.takeCompletions().size(), 1u);
  EXPECT_EQ(page.title(), "T");
  test::FixedMeasurer m;
  page.layout(400, 55, m);
  EXPECT_EQ(test::textItems(page.displayList()).size(), 1u);
}

TEST(Utf, ConversionsRoundTrip) {
  const std::u32string s = U"a你\U0001F600";
  std::u16string w = toUtf16(s);
  ASSERT_EQ(w.size(), 4u);
  EXPECT_EQ(w[2], 0xD83D);
  EXPECT_EQ(utf16ToUtf8(w), "a\xE4\xBD\xA0\xF0\x9F\x98\x80");
  EXPECT_EQ(utf8ToUtf32(utf16ToUtf8(w)), s);
  EXPECT_EQ(utf8ToUtf16("\xFF" "a"), u"\uFFFDa");
  EXPECT_EQ(utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");  // a lone surrogate
}

}  // namespace
}  // namespace page

namespace page {
namespace {

TEST(LineLayout, LinkAroundBlocksReachesTheirContent) {
  test::LaidPage p("<body leftmargin=0 topmargin=0><a href=/a.htm><div>in a div</div><table cellspacing=0>"
                   "<tr><td>cell</td></tr></table></a><a href=/b.htm style='display:block'>block</a></body>");
  EXPECT_EQ(p.page.linkAt(4, 4), "http://test.local/a.htm");
  EXPECT_EQ(p.page.linkAt(4, 20), "http://test.local/a.htm");
  EXPECT_EQ(p.page.linkAt(4, 36), "http://test.local/b.htm");
}

}  // namespace
}  // namespace page
