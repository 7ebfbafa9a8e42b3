// The object model by member name: Document -> Body -> Scroll, failures for unknown
// names, and what Scroll does to the scroll bars.
#include <gtest/gtest.h>

#include "page_test_util.h"

namespace page {
namespace {

std::shared_ptr<ScriptObject> object(const CallResult& r) {
  EXPECT_TRUE(r.ok) << r.failedMember;
  EXPECT_EQ(r.value.kind, Value::Kind::Object);
  return r.value.object;
}

std::string overflowing() {
  std::string html = "<body>";
  for (int i = 0; i < 10; ++i) html += "line " + std::to_string(i) + "<br>";
  return html + "</body>";
}

TEST(Automation, DocumentBodyScrollByName) {
  test::LaidPage p(overflowing(), 400, 55);
  auto top = p.page.automation();
  auto doc = object(top->get("Document"));
  ASSERT_NE(doc, nullptr);
  auto body = object(doc->get("Body"));
  ASSERT_NE(body, nullptr);
  EXPECT_TRUE(body->put("Scroll", Value::fromString("no")).ok);
  CallResult s = body->get("Scroll");
  ASSERT_TRUE(s.ok);
  EXPECT_EQ(s.value.kind, Value::Kind::String);
  EXPECT_EQ(s.value.string, "no");
}

TEST(Automation, NamesIgnoreCase) {
  test::LaidPage p("<body>x</body>");
  auto top = p.page.automation();
  EXPECT_TRUE(top->get("document").ok);
  EXPECT_TRUE(top->get("DOCUMENT").ok);
  EXPECT_EQ(top->memberId("Document"), top->memberId("document"));
  ASSERT_TRUE(top->memberId("Document").has_value());
  EXPECT_TRUE(top->getById(*top->memberId("Document")).ok);
}

TEST(Automation, UnknownMemberFailsWithItsName) {
  test::LaidPage p("<body>x</body>");
  auto top = p.page.automation();
  CallResult r = top->get("Documnet");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.failedMember, "Documnet");
  auto body = object(object(top->get("Document"))->get("Body"));
  CallResult w = body->put("Scrol", Value::fromString("no"));
  EXPECT_FALSE(w.ok);
  EXPECT_EQ(w.failedMember, "Scrol");
  EXPECT_FALSE(top->memberId("Nothing").has_value());
  EXPECT_FALSE(top->getById(999).ok);
  // Read-only members refuse a put, naming the member.
  CallResult ro = top->put("Document", Value::fromString("x"));
  EXPECT_FALSE(ro.ok);
  EXPECT_EQ(ro.failedMember, "Document");
}

TEST(Automation, DocumentIsEmptyBeforeThePageArrives) {
  Page p;
  p.navigate("http://h/");
  CallResult r = p.automation()->get("Document");
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.value.kind, Value::Kind::Empty);
}

TEST(Automation, ScrollNoRemovesTheBarsOfAnOverflowingPage) {
  test::LaidPage p(overflowing(), 400, 55);
  ScrollState before = p.page.scrollState();
  EXPECT_TRUE(before.verticalBar);
  EXPECT_EQ(before.viewWidth, 400 - 16);
  auto body = object(object(p.page.automation()->get("Document"))->get("Body"));
  body->put("Scroll", Value::fromString("no"));
  EXPECT_TRUE(p.page.needsLayout());
  p.page.layout(400, 55, p.measurer, 16);
  ScrollState after = p.page.scrollState();
  EXPECT_FALSE(after.verticalBar);
  EXPECT_FALSE(after.horizontalBar);
  EXPECT_EQ(after.viewWidth, 400);
  body->put("Scroll", Value::fromString("auto"));
  p.page.layout(400, 55, p.measurer, 16);
  EXPECT_TRUE(p.page.scrollState().verticalBar);
}

TEST(Automation, ScrollYesShowsABarWithoutOverflow) {
  test::LaidPage p("<body scroll=yes>short</body>", 400, 55);
  EXPECT_TRUE(p.page.scrollState().verticalBar);
  test::LaidPage q("<body>short</body>", 400, 55);
  EXPECT_FALSE(q.page.scrollState().verticalBar);
  test::LaidPage r("<body style='overflow:hidden'>" + overflowing() + "</body>", 400, 55);
  EXPECT_FALSE(r.page.scrollState().verticalBar);
}

TEST(Automation, WideContentGetsAHorizontalBar) {
  test::LaidPage p("<body><table width=900><tr><td>x</td></tr></table></body>", 400, 55);
  EXPECT_TRUE(p.page.scrollState().horizontalBar);
  EXPECT_GE(p.page.scrollState().contentWidth, 900);
}

TEST(Automation, ObjectsOutliveThePage) {
  std::shared_ptr<ScriptObject> body;
  {
    test::LaidPage p("<body>x</body>");
    body = object(object(p.page.automation()->get("Document"))->get("Body"));
  }
  CallResult r = body->get("Scroll");
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.value.kind, Value::Kind::Empty);
  EXPECT_TRUE(body->put("Scroll", Value::fromString("no")).ok);
}

TEST(Automation, ObjectsFollowANewNavigation) {
  Page p;
  test::loadHtml(p, "<body scroll=no>a</body>");
  auto body = object(object(p.automation()->get("Document"))->get("Body"));
  EXPECT_EQ(body->get("Scroll").value.string, "no");
  test::loadHtml(p, "<body>b</body>");
  EXPECT_EQ(body->get("Scroll").value.string, "");
  EXPECT_EQ(body->get("innerText").value.string, "b");
}

}  // namespace
}  // namespace page

namespace page {
namespace {

TEST(Automation, TypicalBannerFitsTheStripWithoutBars) {
  const std::string html =
      "<html><head><style>.t{color:#ff6600;font-size:12px}</style></head>"
      "<body bgcolor=#FFF8DC leftmargin=0 topmargin=0 marginwidth=0 marginheight=0>"
      "<table width=100% height=55 cellspacing=0 cellpadding=0><tr>"
      "<td width=120><img src=logo.gif width=120 height=55></td>"
      "<td class=t align=center>欢迎 <a href='/edu/new.htm'>新课程</a></td>"
      "<td width=300><marquee width=300>今天的故事</marquee></td></tr></table></body></html>";
  test::LaidPage p(html, 892, 55);
  ScrollState s = p.page.scrollState();
  EXPECT_EQ(s.contentHeight, 55);
  EXPECT_FALSE(s.verticalBar);
  EXPECT_FALSE(s.horizontalBar);
  EXPECT_EQ(p.page.backgroundColor(), 0xFFFFF8DCu);
  EXPECT_EQ(p.page.linkAt(p.text("新课程")->rect.x + 2, p.text("新课程")->rect.y + 2), "http://test.local/edu/new.htm");
  EXPECT_TRUE(p.page.advance(0).has_value());  // the marquee moves
}

}  // namespace
}  // namespace page
