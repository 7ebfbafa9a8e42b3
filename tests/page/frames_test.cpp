// Fetch bookkeeping: requests, completions in order (sub-documents first), frames,
// images, failures and bounds on frame nesting.
#include <gtest/gtest.h>

#include "page_test_util.h"

namespace page {
namespace {

void deliverHtml(Page& p, const Request& r, std::string_view html) {
  p.deliver(r.id, reinterpret_cast<const uint8_t*>(html.data()), html.size(), "text/html");
}

std::vector<std::string> urls(const std::vector<Completion>& c) {
  std::vector<std::string> out;
  for (auto& x : c) out.push_back(x.url);
  return out;
}

TEST(Frames, NavigateAsksForTheTopDocument) {
  Page p;
  p.navigate("http://127.0.0.1:88/edu/info.htm");
  auto r = p.takeRequests();
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].kind, RequestKind::Document);
  EXPECT_EQ(r[0].url, "http://127.0.0.1:88/edu/info.htm");
  EXPECT_TRUE(p.takeRequests().empty());
  EXPECT_FALSE(p.complete());
  deliverHtml(p, r[0], "<body>hi</body>");
  auto c = p.takeCompletions();
  ASSERT_EQ(c.size(), 1u);
  EXPECT_TRUE(c[0].topLevel);
  EXPECT_TRUE(p.complete());
  EXPECT_TRUE(p.takeCompletions().empty());  // once only
}

TEST(Frames, IframeCompletesBeforeThePage) {
  Page p;
  test::loadHtml(p, "<body>a<iframe src='ad/child.htm' width=100 height=40></iframe>b</body>",
                 "http://h/edu/info.htm");
  auto r = p.takeRequests();
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].url, "http://h/edu/ad/child.htm");
  EXPECT_TRUE(p.takeCompletions().empty());
  deliverHtml(p, r[0], "<body>child</body>");
  auto c = p.takeCompletions();
  EXPECT_EQ(urls(c), (std::vector<std::string>{"http://h/edu/ad/child.htm", "http://h/edu/info.htm"}));
  EXPECT_FALSE(c[0].topLevel);
  EXPECT_TRUE(c[1].topLevel);
}

TEST(Frames, IframeContentIsLaidOutInsideItsBox) {
  Page p;
  test::loadHtml(p, "<body leftmargin=0 topmargin=0>ab<iframe src=c.htm width=100 height=40 frameborder=0></iframe>");
  auto r = p.takeRequests();
  deliverHtml(p, r[0], "<body leftmargin=0 topmargin=0>inner</body>");
  test::FixedMeasurer m;
  p.layout(400, 100, m);
  auto list = p.displayList();
  const DisplayItem* inner = nullptr;
  bool clip = false;
  for (auto& it : list) {
    if (it.kind == ItemKind::Text && test::utf8(it.text) == "inner") inner = &it;
    clip |= it.kind == ItemKind::PushClip && it.rect == Rect{16, 0, 100, 40};
  }
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->rect.x, 16);
  EXPECT_TRUE(clip);
}

TEST(Frames, FramesetDocumentsCompleteInArrivalOrderAndTheTopLast) {
  Page p;
  test::loadHtml(p, "<frameset rows='20,*'><frame src=a.htm><frame src=b.htm></frameset>", "http://h/f.htm");
  auto r = p.takeRequests();
  ASSERT_EQ(r.size(), 2u);
  deliverHtml(p, r[1], "b");
  EXPECT_EQ(urls(p.takeCompletions()), std::vector<std::string>{"http://h/b.htm"});
  deliverHtml(p, r[0], "<iframe src=c.htm></iframe>");
  EXPECT_TRUE(p.takeCompletions().empty());  // a.htm waits for its iframe
  auto r2 = p.takeRequests();
  ASSERT_EQ(r2.size(), 1u);
  deliverHtml(p, r2[0], "c");
  EXPECT_EQ(urls(p.takeCompletions()),
            (std::vector<std::string>{"http://h/c.htm", "http://h/a.htm", "http://h/f.htm"}));
}

TEST(Frames, FramesetSplitsTheView) {
  Page p;
  test::loadHtml(p, "<frameset cols='25%,*'><frame src=a.htm><frame src=b.htm></frameset>", "http://h/f.htm");
  auto r = p.takeRequests();
  deliverHtml(p, r[0], "<body leftmargin=0 topmargin=0>A");
  deliverHtml(p, r[1], "<body leftmargin=0 topmargin=0>B");
  test::FixedMeasurer m;
  p.layout(400, 55, m);
  EXPECT_FALSE(p.scrollState().verticalBar);
  int ax = -1, bx = -1;
  for (auto& it : p.displayList())
    if (it.kind == ItemKind::Text) (test::utf8(it.text) == "A" ? ax : bx) = it.rect.x;
  EXPECT_EQ(ax, 0);
  EXPECT_EQ(bx, 100);
}

TEST(Frames, ImagesAreAskedForOnceAndAwaited) {
  Page p;
  test::loadHtml(p, "<body background=bg.gif><img src=a.gif><img src=a.gif><img src=b.png></body>", "http://h/x/p.htm");
  auto r = p.takeRequests();
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0].url, "http://h/x/bg.gif");
  EXPECT_EQ(r[1].url, "http://h/x/a.gif");
  EXPECT_EQ(r[2].kind, RequestKind::Image);
  p.fail(r[0].id);
  const uint8_t junk[] = {1, 2, 3};
  p.deliver(r[1].id, junk, sizeof junk, "image/gif");  // broken: shown as nothing
  EXPECT_TRUE(p.takeCompletions().empty());
  p.fail(r[2].id);
  EXPECT_EQ(p.takeCompletions().size(), 1u);
}

TEST(Frames, FailedPageIsBlankAndStillCompletes) {
  Page p;
  p.navigate("http://unreachable/");
  auto r = p.takeRequests();
  p.fail(r[0].id);
  EXPECT_EQ(p.takeCompletions().size(), 1u);
  test::FixedMeasurer m;
  p.layout(300, 55, m);
  auto list = p.displayList();
  ASSERT_EQ(list.size(), 1u);  // the background only
  EXPECT_EQ(list[0].color, 0xFFFFFFFFu);
}

TEST(Frames, AnswersToOldOrUnknownRequestsAreIgnored) {
  Page p;
  p.navigate("http://h/one.htm");
  auto old = p.takeRequests();
  p.navigate("http://h/two.htm");
  auto now = p.takeRequests();
  deliverHtml(p, old[0], "<body>old</body>");
  EXPECT_TRUE(p.takeCompletions().empty());
  deliverHtml(p, now[0], "<body>new</body>");
  deliverHtml(p, now[0], "<body>again</body>");
  p.fail(12345);
  auto c = p.takeCompletions();
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0].url, "http://h/two.htm");
}

TEST(Frames, FinalUrlAfterRedirectIsTheBase) {
  Page p;
  p.navigate("http://h/old/index.htm");
  auto r = p.takeRequests();
  std::string html = "<img src=pic.gif>";
  p.deliver(r[0].id, reinterpret_cast<const uint8_t*>(html.data()), html.size(), "text/html", "http://h/new/index.htm");
  auto r2 = p.takeRequests();
  ASSERT_EQ(r2.size(), 1u);
  EXPECT_EQ(r2[0].url, "http://h/new/pic.gif");
  EXPECT_EQ(p.url(), "http://h/new/index.htm");
  EXPECT_GT(kMaxRedirects, 0);
}

TEST(Frames, SelfEmbeddingPageStopsAtTheDepthBound) {
  Page p;
  const std::string html = "<body><iframe src=self.htm></iframe><iframe src=self.htm></iframe></body>";
  test::loadHtml(p, html, "http://h/self.htm");
  int documents = 1;
  for (int round = 0; round < 100; ++round) {
    auto r = p.takeRequests();
    if (r.empty()) break;
    for (auto& req : r) {
      deliverHtml(p, req, html);
      ++documents;
    }
  }
  EXPECT_LE(documents, 1 + kMaxFrames);
  auto c = p.takeCompletions();
  ASSERT_EQ(int(c.size()), documents);
  EXPECT_TRUE(c.back().topLevel);
  test::FixedMeasurer m;
  p.layout(800, 600, m);  // nested layout stays bounded too
  EXPECT_FALSE(p.displayList().empty());
}

TEST(Frames, UnfetchableFrameAddressesAskForNothing) {
  // The iframe shows a blank document of its own, which completes at once.
  Page p;
  test::loadHtml(p, "<iframe src='javascript:void(0)'></iframe><img src='data:x'>");
  EXPECT_TRUE(p.takeRequests().empty());
  auto c = p.takeCompletions();
  ASSERT_EQ(c.size(), 2u);
  EXPECT_FALSE(c[0].topLevel);
  EXPECT_TRUE(c[1].topLevel);
}

}  // namespace
}  // namespace page
