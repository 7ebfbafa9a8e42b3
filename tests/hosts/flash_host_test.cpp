// TShockwaveFlash against a double registered under the movie player's class
// identifier: what the host sends by dispatch identifier, the events it raises, the
// settings it stores, and the failure when no class answers. Then once with the real
// built-in component, fetching from a server inside the test.
#include <gtest/gtest.h>

#include "com_doubles.h"
#include "hosts/com/class_ids.h"
#include "hosts/com/dispatch.h"
#include "hosts/com/errors.h"
#include "hosts/com/registry.h"
#include "hosts/com/text.h"
#include "hosts/flash/flash_ids.h"
#include "hosts/flash/movie_component.h"
#include "hosts/flash/shockwave_flash.h"
#include "test_movies.h"
#include "test_support.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/stream.h"
#include "ui/text.h"

namespace {

using namespace hosts::com;
using namespace hosts::flash;
using hosts_test::pumpUntil;

// One raw automation call as the double received it.
struct Received {
  DISPID id;
  WORD flags;
  VARTYPE type;       // of the first argument (VT_EMPTY without one)
  std::wstring text;  // the first argument when it is a BSTR
  UINT namedArgs;
};

class FlashDouble : public hosts_test::ComponentDouble {
 public:
  static inline FlashDouble* last = nullptr;
  static inline std::vector<Received> received;
  static inline HWND parent = nullptr;
  static inline RECT bounds{};
  static inline bool refuseMovie = false;

  FlashDouble() {
    last = this;
    addProperty(L"Movie", kDispMovie, [] { return Variant(); }, [](const Variant&) {
      if (refuseMovie) throw DispatchError{E_FAIL, L"影片地址被拒绝"};
    });
    addMethod(L"Play", kDispPlay, [](const DispArgs&) { return Variant(); });
  }
  ~FlashDouble() override {
    if (last == this) last = nullptr;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* p, VARIANT* r,
                                   EXCEPINFO* e, UINT* a) override {
    Received got{id, flags, VT_EMPTY, {}, p ? p->cNamedArgs : 0};
    if (p && p->cArgs > 0) {
      got.type = p->rgvarg[0].vt;
      if (got.type == VT_BSTR) got.text.assign(p->rgvarg[0].bstrVal, SysStringLen(p->rgvarg[0].bstrVal));
    }
    received.push_back(got);
    return ComponentDouble::Invoke(id, iid, lcid, flags, p, r, e, a);
  }

 protected:
  HWND createWindow(HWND p, const RECT& b) override {
    parent = p;
    return nullptr;
  }
  void boundsChanged(const RECT& b) override { bounds = b; }
};

Factory flashDouble() {
  return [] { return Ptr<IUnknown>::adopt(static_cast<IDispatch*>(new FlashDouble)); };
}

class FlashHostTest : public ::testing::Test {
 protected:
  // One form for the suite (a top-level window is slow to go away under Wine).
  static void SetUpTestSuite() {
    form = new ui::Form(nullptr);
    form->setBounds(0, 0, 420, 140);
    form->show();
  }
  static void TearDownTestSuite() {
    delete form;
    form = nullptr;
  }
  void SetUp() override {
    FlashDouble::received.clear();
    FlashDouble::refuseMovie = false;
    FlashDouble::parent = nullptr;
  }
  // A host control on the suite's form, filling it.
  std::unique_ptr<TShockwaveFlash> makeHost() {
    auto flash = std::make_unique<TShockwaveFlash>(nullptr);
    flash->setParent(form);
    flash->setAlign(ui::Align::Client);
    flash->handle();
    return flash;
  }

  static inline ui::Form* form = nullptr;
  ScopedRegistration registration{kMoviePlayerClsid, flashDouble()};
};

TEST_F(FlashHostTest, MovieThenPlayReachTheComponentById) {
  auto flash = makeHost();
  FlashDouble::received.clear();
  flash->setMovie(L"http://127.0.0.1:88/edu/3/12.swf");
  flash->Play();
  ASSERT_EQ(FlashDouble::received.size(), 2u);
  const Received& movie = FlashDouble::received[0];
  EXPECT_EQ(movie.id, kDispMovie);
  EXPECT_EQ(movie.id, 102);
  EXPECT_TRUE(movie.flags & DISPATCH_PROPERTYPUT);
  EXPECT_EQ(movie.type, VT_BSTR);
  EXPECT_EQ(movie.text, L"http://127.0.0.1:88/edu/3/12.swf");
  EXPECT_EQ(movie.namedArgs, 1u);
  const Received& play = FlashDouble::received[1];
  EXPECT_EQ(play.id, kDispPlay);
  EXPECT_TRUE(play.flags & DISPATCH_METHOD);
  EXPECT_EQ(play.type, VT_EMPTY);
}

TEST_F(FlashHostTest, TheComponentWindowGoesInsideTheHost) {
  auto flash = makeHost();
  EXPECT_EQ(FlashDouble::parent, flash->handle());
  RECT client;
  GetClientRect(flash->handle(), &client);
  EXPECT_EQ(FlashDouble::bounds.right, client.right);
  EXPECT_EQ(FlashDouble::bounds.bottom, client.bottom);
  EXPECT_GT(client.right, 0);
}

TEST_F(FlashHostTest, ARemadeWindowGetsTheComponentAgain) {
  auto flash = makeHost();
  HWND first = flash->handle();
  EXPECT_EQ(FlashDouble::parent, first);
  FlashDouble::parent = nullptr;
  flash->recreateWnd();
  EXPECT_TRUE(flash->handleAllocated());
  EXPECT_EQ(FlashDouble::parent, flash->handle());
}

TEST_F(FlashHostTest, EventsArriveByDispatchId) {
  auto flash = makeHost();
  std::vector<std::wstring> seen;
  flash->onProgress = FlashProgressEvent([&](ui::Component* s, int p) {
    EXPECT_EQ(s, flash.get());
    seen.push_back(L"progress " + std::to_wstring(p));
  });
  flash->onFSCommand = FlashFSCommandEvent(
      [&](ui::Component*, const std::wstring& c, const std::wstring& a) { seen.push_back(c + L" " + a); });
  flash->onFlashCall =
      FlashCallEvent([&](ui::Component*, const std::wstring& r) { seen.push_back(L"call " + r); });
  ASSERT_TRUE(FlashDouble::last);
  FlashDouble::last->fire(1958, {Variant(37)});
  FlashDouble::last->fire(150, {Variant(L"quit"), Variant(L"now")});
  FlashDouble::last->fire(197, {Variant(L"<invoke/>")});
  const std::vector<std::wstring> expected = {L"progress 37", L"quit now", L"call <invoke/>"};
  EXPECT_EQ(seen, expected);
}

TEST_F(FlashHostTest, UnassignedEventsAreSkippedAndHandlerErrorsReachTheErrorBox) {
  auto flash = makeHost();
  FlashDouble::last->fire(1958, {Variant(5)});  // nothing bound: nothing happens
  std::string reported;
  ui::application().setErrorReporter([&](const std::string& text, const std::string&) { reported = text; });
  flash->onProgress = FlashProgressEvent([](ui::Component*, int) { throw ui::Error("handler failed"); });
  FlashDouble::last->fire(1958, {Variant(6)});
  ui::application().setErrorReporter(nullptr);
  EXPECT_EQ(reported, "handler failed");
}

TEST_F(FlashHostTest, ARefusedMovieRaisesTheComponentsDescription) {
  auto flash = makeHost();
  FlashDouble::refuseMovie = true;
  try {
    flash->setMovie(L"bad");
    FAIL() << "the refusal reaches the caller";
  } catch (const ui::Error& e) {
    EXPECT_EQ(std::string(e.what()), ui::narrow(L"影片地址被拒绝"));
  }
}

TEST_F(FlashHostTest, StartSettingsReachTheComponent) {
  auto flash = makeHost();
  const PropertyBag& s = FlashDouble::last->settings();
  EXPECT_EQ(s.text(L"WMode"), L"Window");
  EXPECT_TRUE(s.flag(L"Playing", false));
  EXPECT_TRUE(s.flag(L"Loop", false));
  EXPECT_EQ(s.text(L"Quality"), L"High");
  EXPECT_EQ(s.text(L"Scale"), L"ShowAll");
  EXPECT_TRUE(s.flag(L"Menu", false));
  EXPECT_FALSE(s.flag(L"DeviceFont", true));
  EXPECT_FALSE(s.flag(L"EmbedMovie", true));
  EXPECT_EQ(s.text(L"AllowNetworking"), L"all");
  EXPECT_EQ(s.text(L"AllowFullScreen"), L"false");
  flash->setLoop(false);
  EXPECT_FALSE(FlashDouble::last->settings().flag(L"Loop", true));
}

TEST_F(FlashHostTest, OnlySettingsThatDifferFromTheirDefaultsAreWritten) {
  registerShockwaveFlashControl();
  ui::Form f(nullptr);
  f.readDescription(
      "Form2: TForm {\n"
      "  Flash: TShockwaveFlash {\n"
      "    Quality = \"Low\"\n"
      "    Loop = False\n"
      "  }\n"
      "}\n");
  std::string text = ui::writeComponent(f);
  EXPECT_NE(text.find("Quality = \"Low\""), std::string::npos) << text;
  EXPECT_NE(text.find("Loop = False"), std::string::npos) << text;
  for (const char* unchanged : {"WMode", "Playing", "Scale", "DeviceFont", "EmbedMovie", "AllowNetworking",
                                "AllowFullScreen"})
    EXPECT_EQ(text.find(unchanged), std::string::npos) << unchanged << " is at its default\n" << text;
}

TEST_F(FlashHostTest, AFormDescriptionMakesTheHostWithItsSettings) {
  registerShockwaveFlashControl();
  ui::Form f(nullptr);
  f.readDescription(
      "Form2: TForm {\n"
      "  Flash: TShockwaveFlash {\n"
      "    Align = alClient\n"
      "    Quality = \"Low\"\n"
      "    Menu = False\n"
      "  }\n"
      "}\n");
  auto* flash = f.find<TShockwaveFlash>("Flash");
  ASSERT_TRUE(flash);
  ASSERT_TRUE(FlashDouble::last);
  EXPECT_EQ(FlashDouble::last->settings().text(L"Quality"), L"Low");
  EXPECT_FALSE(FlashDouble::last->settings().flag(L"Menu", true));
  EXPECT_EQ(FlashDouble::last->settings().text(L"WMode"), L"Window");
}

TEST(FlashHostWithoutClass, NoClassNoHost) {
  Factory saved = registeredFactory(kMoviePlayerClsid);
  unregisterClass(kMoviePlayerClsid);
  std::string expected = failureText(REGDB_E_CLASSNOTREG);
  try {
    TShockwaveFlash flash(nullptr);
    ADD_FAILURE() << "a host without its class must not be made";
  } catch (const ui::Error& e) {
    EXPECT_EQ(std::string(e.what()), expected);
  }
  if (saved) registerClass(kMoviePlayerClsid, saved);
}

TEST(FlashHostWithTheBuiltInComponent, PlaysALessonFromTheServer) {
  registerMovieComponent();
  hosts_test::HttpServer server;
  server.serve("/edu/3/12.swf", hosts_test::HttpServer::Route{hosts_test::letterboxMovie()});
  ui::Form form(nullptr);
  form.setBounds(0, 0, 400, 100);
  TShockwaveFlash flash(&form);
  flash.setParent(&form);
  flash.setAlign(ui::Align::Client);
  form.show();
  int lastPercent = -1;
  flash.onProgress = FlashProgressEvent([&](ui::Component*, int p) { lastPercent = p; });
  flash.setMovie(server.url("/edu/3/12.swf"));
  flash.Play();
  ASSERT_TRUE(pumpUntil([&] { return lastPercent == 100; }));
  HWND player = FindWindowExW(flash.handle(), nullptr, MovieComponent::windowClass(), nullptr);
  ASSERT_TRUE(player);
  ASSERT_TRUE(pumpUntil([&] { return hosts_test::pixelAt(player, 200, 50) == hosts_test::kStageColor; }));
  EXPECT_EQ(hosts_test::pixelAt(player, 5, 50), hosts_test::kMovieBackground);
  EXPECT_TRUE(get(flash.automation(), kDispPlaying).toBool());
}

}  // namespace
