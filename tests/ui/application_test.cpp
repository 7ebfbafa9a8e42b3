// The application object: the message hook, the hidden main window's hooks, the
// standard error box for errors escaping event handlers, the screen object.
#include <gtest/gtest.h>

#include "probe.h"

using namespace uitest;

namespace {

constexpr UINT kDropped = WM_APP + 1, kKept = WM_APP + 2;

struct Reports {
  std::vector<std::pair<std::string, std::string>> shown;
  Reports() {
    ui::application().setErrorReporter(
        [this](const std::string& text, const std::string& title) { shown.emplace_back(text, title); });
  }
  ~Reports() { ui::application().setErrorReporter(nullptr); }
};

// A window procedure that counts what reaches it.
int g_seenDropped = 0, g_seenKept = 0;
WNDPROC g_oldProc = nullptr;
LRESULT CALLBACK counting(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == kDropped) ++g_seenDropped;
  if (m == kKept) ++g_seenKept;
  return CallWindowProcW(g_oldProc, w, m, wp, lp);
}

}  // namespace

TEST(Application, MessageHookDropsHandledMessages) {
  TestForm f;
  HWND target = f.find<ui::Panel>("Panel1")->handle();
  g_seenDropped = g_seenKept = 0;
  g_oldProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&counting)));
  auto* events = new ui::ApplicationEvents(&f);
  std::vector<UINT> offered;
  events->onMessage = ui::MessageEvent([&](MSG& msg, bool& handled) {
    if (msg.hwnd == target) offered.push_back(msg.message);
    if (msg.message == kDropped) handled = true;
  });
  PostMessageW(target, kDropped, 0, 0);
  PostMessageW(target, kKept, 0, 0);
  pump();
  EXPECT_EQ(offered, (std::vector<UINT>{kDropped, kKept}));
  EXPECT_EQ(g_seenDropped, 0);
  EXPECT_EQ(g_seenKept, 1);
  delete events;  // a freed hook sees nothing more
  PostMessageW(target, kDropped, 0, 0);
  pump();
  EXPECT_EQ(g_seenDropped, 1);
  EXPECT_EQ(offered.size(), 2u);
  SetWindowLongPtrW(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_oldProc));
}

TEST(Application, DescriptionBindsTheMessageEvent) {
  TestForm f(nullptr, false);
  int seen = 0;
  f.handlers().add<void(MSG&, bool&)>("ApplicationEvents1Message", [&](MSG& m, bool& handled) {
    if (m.message == kDropped) {
      ++seen;
      handled = true;
    }
  });
  f.read("f: TForm {\n  ApplicationEvents1: TApplicationEvents {\n    OnMessage = ApplicationEvents1Message\n  }\n}\n");
  PostMessageW(f.handle(), kDropped, 0, 0);
  pump();
  EXPECT_EQ(seen, 1);
}

TEST(Application, HiddenMainWindowHooks) {
  HWND app = ui::application().handle();
  ASSERT_TRUE(IsWindow(app));
  EXPECT_FALSE(IsWindowVisible(app));
  std::vector<UINT> seen;
  int id = ui::application().hookMainWindow([&](UINT msg, WPARAM, LPARAM, LRESULT& result) {
    seen.push_back(msg);
    if (msg == kKept) {
      result = 42;
      return true;
    }
    return false;
  });
  EXPECT_EQ(SendMessageW(app, kKept, 0, 0), 42);
  PostMessageW(app, kDropped, 0, 0);
  pump();
  EXPECT_NE(std::find(seen.begin(), seen.end(), kDropped), seen.end());
  ui::application().unhookMainWindow(id);
  seen.clear();
  EXPECT_EQ(SendMessageW(app, kKept, 0, 0), 0);
  EXPECT_TRUE(seen.empty());
}

TEST(Application, ErrorInAHandlerReachesTheErrorBoxAndTheProgramGoesOn) {
  Reports reports;
  ui::application().setTitle(ui::utf8ToGbk("课件"));
  TestForm f;
  f.show();
  auto* n3 = f.find<ui::MenuItem>("N3");
  n3->onClick = ui::NotifyEvent([](ui::Component*) { throw ui::Error(ui::utf8ToGbk("影片地址无效")); });
  // The menu command arrives through the message loop.
  PostMessageW(f.handle(), WM_COMMAND, MAKEWPARAM(n3->command(), 0), 0);
  pump();
  ASSERT_EQ(reports.shown.size(), 1u);
  EXPECT_EQ(reports.shown[0].first, ui::utf8ToGbk("影片地址无效"));
  EXPECT_EQ(reports.shown[0].second, ui::utf8ToGbk("课件"));
  // The program goes on: the window still works, the next event is handled.
  EXPECT_TRUE(IsWindow(f.handle()));
  auto* tree = f.find<ui::TreeView>("lbMenu");
  tree->items().add("one");
  tree->onClick = ui::NotifyEvent([](ui::Component*) { throw std::runtime_error("second"); });
  SendMessageW(tree->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(tree->handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(reports.shown.size(), 2u);
  EXPECT_EQ(reports.shown[1].first, "second");
  ui::application().setTitle("ui_tests");
}

TEST(Application, ErrorWhileTheMainWindowIsMadeEndsTheStart) {
  Reports reports;
  ui::Form* before = ui::application().mainForm();
  ui::application().setMainForm(nullptr);
  int result = ui::application().start([] {
    auto* f = new TestForm(&ui::application(), false);
    f->read("f: TForm {\n  Left = oops\n}\n");
  });
  EXPECT_EQ(result, 1);
  ASSERT_EQ(reports.shown.size(), 1u);
  EXPECT_EQ(reports.shown[0].first, "form description line 2: bad value for Left");
  EXPECT_EQ(ui::application().componentCount(), 0);  // the forms made so far are freed
  ui::application().setMainForm(before);
}

TEST(Application, ErrorWhileFirstShownEndsTheStart) {
  Reports reports;
  ui::Form* before = ui::application().mainForm();
  ui::application().setMainForm(nullptr);
  int result = ui::application().start([] {
    auto* f = new TestForm(&ui::application());
    f->onShow = ui::NotifyEvent([](ui::Component*) { throw ui::Error("cannot show"); });
  });
  EXPECT_EQ(result, 1);
  ASSERT_EQ(reports.shown.size(), 1u);
  EXPECT_EQ(reports.shown[0].first, "cannot show");
  ui::application().setMainForm(before);
}

TEST(Application, ClosingTheMainFormEndsTheLoop) {
  ui::Form* before = ui::application().mainForm();
  ui::application().setMainForm(nullptr);
  int shows = 0;
  int result = ui::application().start([&] {
    auto* f = new TestForm(&ui::application());
    f->onShow = ui::NotifyEvent([&, f](ui::Component*) {
      ++shows;
      PostMessageW(f->handle(), WM_CLOSE, 0, 0);
    });
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(shows, 1);
  EXPECT_TRUE(ui::application().terminated());
  ui::application().resetTerminated();
  ui::application().setMainForm(before);
}

TEST(Screen, SizeAndForms) {
  EXPECT_EQ(ui::screen().width(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(ui::screen().height(), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_GT(ui::screen().width(), 0);
  int n = ui::screen().formCount();
  {
    TestForm a, b;
    ASSERT_EQ(ui::screen().formCount(), n + 2);
    EXPECT_EQ(ui::screen().form(n), &a);
    EXPECT_EQ(ui::screen().form(n + 1), &b);
  }
  EXPECT_EQ(ui::screen().formCount(), n);
}

TEST(Application, HandledStopsTheLaterHooks) {
  ui::Component owner(nullptr);
  auto* first = ui::make<ui::ApplicationEvents>(&owner);
  auto* second = ui::make<ui::ApplicationEvents>(&owner);
  int firstSeen = 0, secondSeen = 0, appSeen = 0;
  ui::application().onMessage = ui::MessageEvent([&](MSG& m, bool&) {
    if (m.message == kKept) ++appSeen;
  });
  first->onMessage = ui::MessageEvent([&](MSG& m, bool& handled) {
    if (m.message == kKept) {
      ++firstSeen;
      handled = true;
    }
  });
  second->onMessage = ui::MessageEvent([&](MSG& m, bool&) {
    if (m.message == kKept) ++secondSeen;
  });
  PostMessageW(ui::application().handle(), kKept, 0, 0);
  pump();
  EXPECT_EQ(appSeen, 1);
  EXPECT_EQ(firstSeen, 1);
  EXPECT_EQ(secondSeen, 0);
  ui::application().onMessage.clear();
}

TEST(Application, ErrorInAHookIsReportedAndTheMessageGoesOn) {
  Reports reports;
  TestForm f;
  HWND target = f.find<ui::Panel>("Panel1")->handle();
  g_seenKept = 0;
  g_oldProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&counting)));
  auto* events = ui::make<ui::ApplicationEvents>(&f);
  events->onMessage = ui::MessageEvent([](MSG& m, bool&) {
    if (m.message == kKept) throw ui::Error("hook failed");
  });
  PostMessageW(target, kKept, 0, 0);
  pump();
  EXPECT_EQ(g_seenKept, 1);
  ASSERT_EQ(reports.shown.size(), 1u);
  EXPECT_EQ(reports.shown[0].first, "hook failed");
  SetWindowLongPtrW(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_oldProc));
}
