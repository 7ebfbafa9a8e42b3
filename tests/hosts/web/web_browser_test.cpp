// TWebBrowser, the host control: made by the form description reader from its class
// name, it makes the component from the class identifier, puts the page inside its own
// window and raises OnDocumentComplete for every completed document.
#include <gtest/gtest.h>

#include <memory>

#include "hosts/com/class_ids.h"
#include "hosts/com/dispatch.h"
#include "hosts/com/registry.h"
#include "hosts/web/web_browser.h"
#include "hosts/web/web_component.h"
#include "test_http_server.h"
#include "ui/error.h"
#include "ui/form.h"
#include "ui/stream.h"
#include "web_test_support.h"

namespace {

using namespace hosts;
using webtest::pumpUntil;
using webtest::TestHttpServer;

const char* kDescription =
    "frmWebTest: TForm {\n"
    "  Left = 0\n"
    "  Top = 0\n"
    "  Width = 420\n"
    "  Height = 160\n"
    "  Web: TWebBrowser {\n"
    "    Align = alClient\n"
    "    ExtentX = 892\n"
    "    ExtentY = 55\n"
    "    OnDocumentComplete = WebDocumentComplete\n"
    "  }\n"
    "}\n";

struct Seen {
  std::wstring url;
  bool window = false;
};

class WebBrowserControl : public ::testing::Test {
 protected:
  void SetUp() override { web::registerWebBrowserControl(); }

  std::unique_ptr<ui::Form> makeForm(std::vector<Seen>& seen) {
    auto form = std::make_unique<ui::Form>(nullptr);
    form->handlers().add<void(ui::Component*, IDispatch*, const std::wstring&)>(
        "WebDocumentComplete", [&seen](ui::Component*, IDispatch* window, const std::wstring& url) {
          seen.push_back({url, window != nullptr});
        });
    form->readDescription(kDescription);
    return form;
  }

  TestHttpServer server;
};

TEST_F(WebBrowserControl, NavigatesAndRaisesOnDocumentComplete) {
  std::vector<std::wstring> opened;
  com::ScopedRegistration builtin(com::kWebPageClsid, [&opened] {
    web::WebPageOptions o;
    o.openLink = [&opened](const std::wstring& a) { opened.push_back(a); };
    return web::makeWebPageComponent(o);
  });
  server.page("/banner.htm", "<html><body bgcolor=\"#FF8000\">banner</body></html>");
  std::vector<Seen> seen;
  auto form = makeForm(seen);
  auto* web = form->find<web::TWebBrowser>("Web");
  ASSERT_NE(web, nullptr);
  form->show();
  HWND host = web->handle();
  web->Navigate(webtest::widen(server.url("/banner.htm")));
  ASSERT_TRUE(pumpUntil([&] { return !seen.empty(); }));
  EXPECT_EQ(seen[0].url, webtest::widen(server.url("/banner.htm")));
  EXPECT_TRUE(seen[0].window);
  HWND page = GetWindow(host, GW_CHILD);
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(IsChild(host, page));
  RECT hr, pr;
  GetClientRect(host, &hr);
  GetWindowRect(page, &pr);
  EXPECT_EQ(pr.right - pr.left, hr.right);  // the page fills the control
  EXPECT_EQ(pr.bottom - pr.top, hr.bottom);
  // The late-bound chain the lesson player makes on each completion.
  com::Ptr<IDispatch> document = com::objectOf(com::getByName(web->application(), L"Document"));
  com::Ptr<IDispatch> body = com::objectOf(com::getByName(document.get(), L"Body"));
  com::putByName(body.get(), L"Scroll", com::Variant(L"no"));
  EXPECT_EQ(com::getByName(body.get(), L"Scroll").toString(), L"no");
}

TEST_F(WebBrowserControl, WithoutABuiltinClassTheFormCannotBeMade) {
  com::ScopedRegistration none(com::kWebPageClsid, nullptr);
  com::unregisterClass(com::kWebPageClsid);
  std::vector<Seen> seen;
  EXPECT_THROW(makeForm(seen), ui::Error);
}

}  // namespace
