// The built-in page component under Wine, against pages served by the test's own HTTP
// server: what it shows, its scroll bars, its events, its object model, its menu, its
// links and its failures.
#include <gtest/gtest.h>

#include <algorithm>

#include "hosts/com/dispatch.h"
#include "page/page.h"
#include "test_http_server.h"
#include "ui/error.h"
#include "web_test_support.h"

namespace {

using namespace hosts;
using webtest::ComponentUnderTest;
using webtest::pumpUntil;
using webtest::Route;
using webtest::TestHttpServer;

bool endsWith(const std::wstring& s, const std::wstring& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string tallPage(const char* bgcolor) {
  std::string html = std::string("<html><body bgcolor=\"") + bgcolor + "\">";
  for (int i = 0; i < 40; ++i) html += "line " + std::to_string(i) + "<br>";
  return html + "</body></html>";
}

void putScroll(IDispatch* component, const wchar_t* value) {
  com::Ptr<IDispatch> document = com::objectOf(com::getByName(component, L"Document"));
  com::Ptr<IDispatch> body = com::objectOf(com::getByName(document.get(), L"Body"));
  com::putByName(body.get(), L"Scroll", com::Variant(value));
}

class WebComponent : public ::testing::Test {
 protected:
  TestHttpServer server;
};

TEST_F(WebComponent, ShowsTheServedPageBackground) {
  server.page("/blue.htm", "<html><body bgcolor=\"#3366CC\">hello</body></html>");
  ComponentUnderTest c;
  c.navigate(server.url("/blue.htm"));
  ASSERT_TRUE(c.waitForCompletions(1));
  EXPECT_TRUE(pumpUntil([&] { return c.pixel(390, 110) == RGB(0x33, 0x66, 0xCC); }))
      << std::hex << c.pixel(390, 110);
  ASSERT_EQ(c.completed.size(), 1u);
  EXPECT_TRUE(endsWith(c.completed[0].url, L"/blue.htm"));
  EXPECT_TRUE(c.completed[0].hadWindowObject);
}

TEST_F(WebComponent, PaintsImagesStretchedToTheirBox) {
  // A 1 x 1 GIF whose one pixel is red, shown 100 x 40.
  const unsigned char gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00,
                               0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00,
                               0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
  Route image;
  image.contentType = "image/gif";
  image.body.assign(reinterpret_cast<const char*>(gif), sizeof gif);
  server.add("/red.gif", image);
  server.page("/img.htm", "<html><body bgcolor=\"#FFFFFF\"><img src=\"/red.gif\" width=100 height=40></body></html>");
  ComponentUnderTest c;
  c.navigate(server.url("/img.htm"));
  ASSERT_TRUE(c.waitForCompletions(1));
  EXPECT_EQ(server.requestCount("/red.gif"), 1u);
  EXPECT_TRUE(pumpUntil([&] { return c.pixel(50, 25) == RGB(255, 0, 0); })) << std::hex << c.pixel(50, 25);
  EXPECT_EQ(c.pixel(390, 110), RGB(255, 255, 255));
}

TEST_F(WebComponent, StartsBlankAndShowsOnlyTheBackgroundWhileLoading) {
  Route held = Route::html("<html><body bgcolor=\"#00FF00\">late</body></html>");
  held.held = true;
  server.add("/slow.htm", held);
  ComponentUnderTest c;
  // Read well away from the page's text, whose glyphs depend on the fonts at hand.
  EXPECT_EQ(c.pixel(300, 100), RGB(255, 255, 255));
  c.navigate(server.url("/slow.htm"));
  ASSERT_TRUE(pumpUntil([&] { return server.requestCount("/slow.htm") == 1; }));
  EXPECT_EQ(c.pixel(300, 100), RGB(255, 255, 255));
  EXPECT_TRUE(c.completed.empty());
  server.release();
  ASSERT_TRUE(c.waitForCompletions(1));
  EXPECT_TRUE(pumpUntil([&] { return c.pixel(300, 100) == RGB(0, 0xFF, 0); }));
}

TEST_F(WebComponent, OverflowingPageShowsAScrollBarUntilScrollIsNo) {
  server.page("/tall.htm", tallPage("#FFFFFF"));
  ComponentUnderTest c(300, 55);
  c.navigate(server.url("/tall.htm"));
  ASSERT_TRUE(c.waitForCompletions(1));
  EXPECT_TRUE(c.hasVerticalBar());
  putScroll(c.dispatch(), L"no");
  EXPECT_FALSE(c.hasVerticalBar());
  EXPECT_FALSE(c.hasHorizontalBar());
  putScroll(c.dispatch(), L"yes");
  EXPECT_TRUE(c.hasVerticalBar());
  putScroll(c.dispatch(), L"auto");
  EXPECT_TRUE(c.hasVerticalBar());
}

TEST_F(WebComponent, ScrollIsReadBackByName) {
  server.page("/short.htm", "<html><body>short</body></html>");
  ComponentUnderTest c;
  c.navigate(server.url("/short.htm"));
  ASSERT_TRUE(c.waitForCompletions(1));
  EXPECT_FALSE(c.hasVerticalBar());  // nothing overflows
  putScroll(c.dispatch(), L"no");
  com::Ptr<IDispatch> document = com::objectOf(com::getByName(c.dispatch(), L"document"));
  com::Ptr<IDispatch> body = com::objectOf(com::getByName(document.get(), L"BODY"));
  EXPECT_EQ(com::getByName(body.get(), L"scroll").toString(), L"no");
}

TEST_F(WebComponent, PageWithAnIframeCompletesTwiceSubDocumentFirst) {
  server.page("/framed.htm",
              "<html><body>top<iframe src=\"/inner.htm\" width=100 height=40></iframe></body></html>");
  server.page("/inner.htm", "<html><body bgcolor=red>inner</body></html>");
  ComponentUnderTest c;
  c.navigate(server.url("/framed.htm"));
  ASSERT_TRUE(c.waitForCompletions(2));
  pumpUntil([] { return false; }, 200);  // a third report would arrive by now
  ASSERT_EQ(c.completed.size(), 2u);
  EXPECT_TRUE(endsWith(c.completed[0].url, L"/inner.htm"));
  EXPECT_TRUE(endsWith(c.completed[1].url, L"/framed.htm"));
  EXPECT_EQ(server.requestCount("/inner.htm"), 1u);
}

TEST_F(WebComponent, FollowsARedirect) {
  Route moved = Route::redirect("/moved-here.htm");
  server.add("/old.htm", moved);
  server.page("/moved-here.htm", "<html><body bgcolor=\"#102030\">new</body></html>");
  ComponentUnderTest c;
  c.navigate(server.url("/old.htm"));
  ASSERT_TRUE(c.waitForCompletions(1));
  EXPECT_TRUE(pumpUntil([&] { return c.pixel(5, 5) == RGB(0x10, 0x20, 0x30); }));
}

TEST_F(WebComponent, EndlessRedirectsEndBlankAfterABoundedNumberOfRequests) {
  server.add("/loop.htm", Route::redirect("/loop.htm"));
  ComponentUnderTest c;
  c.navigate(server.url("/loop.htm"));
  ASSERT_TRUE(c.waitUntilIdle(20000));
  EXPECT_TRUE(c.completed.empty());
  EXPECT_GE(server.requestCount("/loop.htm"), 1u);
  EXPECT_LE(server.requestCount("/loop.htm"), static_cast<size_t>(page::kMaxRedirects) + 1);
  EXPECT_EQ(c.pixel(5, 5), RGB(255, 255, 255));
}

TEST_F(WebComponent, UnknownMemberNameFailsWithTheAutomationText) {
  server.page("/p.htm", "<html><body>p</body></html>");
  ComponentUnderTest c;
  c.navigate(server.url("/p.htm"));
  ASSERT_TRUE(c.waitForCompletions(1));
  try {
    com::getByName(c.dispatch(), L"Documentt");
    FAIL() << "no error";
  } catch (const ui::Error& e) {
    EXPECT_STREQ(e.what(), "Method 'Documentt' not supported by automation object");
  }
  com::Ptr<IDispatch> document = com::objectOf(com::getByName(c.dispatch(), L"Document"));
  com::Ptr<IDispatch> body = com::objectOf(com::getByName(document.get(), L"Body"));
  try {
    com::putByName(body.get(), L"Scrolling", com::Variant(L"no"));
    FAIL() << "no error";
  } catch (const ui::Error& e) {
    EXPECT_STREQ(e.what(), "Method 'Scrolling' not supported by automation object");
  }
}

TEST_F(WebComponent, UnreachablePageStaysBlankAndReportsNothing) {
  ComponentUnderTest c;
  // A port nothing listens on: take one from a server that is gone.
  int deadPort;
  {
    TestHttpServer gone;
    deadPort = gone.port();
  }
  c.navigate("http://127.0.0.1:" + std::to_string(deadPort) + "/none.htm");
  ASSERT_TRUE(c.waitUntilIdle());
  EXPECT_TRUE(c.completed.empty());
  EXPECT_EQ(c.pixel(10, 10), RGB(255, 255, 255));
  EXPECT_FALSE(c.hasVerticalBar());
}

TEST_F(WebComponent, MissingPageStaysBlankAndReportsNothing) {
  ComponentUnderTest c;
  c.navigate(server.url("/missing.htm"));  // 404 with a body of its own
  ASSERT_TRUE(pumpUntil([&] { return server.requestCount("/missing.htm") == 1; }));
  ASSERT_TRUE(c.waitUntilIdle());
  EXPECT_TRUE(c.completed.empty());
  EXPECT_EQ(c.pixel(10, 10), RGB(255, 255, 255));
}

TEST_F(WebComponent, NavigateTakesTheAddressAlone) {
  server.page("/alone.htm", "<html><body bgcolor=\"#0000FF\">x</body></html>");
  ComponentUnderTest c;
  com::callByName(c.dispatch(), L"Navigate", {com::Variant(std::wstring_view(webtest::widen(server.url("/alone.htm"))))});
  ASSERT_TRUE(c.waitForCompletions(1));
  EXPECT_EQ(com::getByName(c.dispatch(), L"LocationURL").toString(), webtest::widen(server.url("/alone.htm")));
}

}  // namespace
