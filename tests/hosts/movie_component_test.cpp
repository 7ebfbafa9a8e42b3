// The built-in movie component in a real window: Movie then Play through automation
// fetch from a server inside the test, the frames show letterboxed, failures show a
// message, the right-click menu's commands act on the engine, the clock runs only
// while playing.
#include <gtest/gtest.h>

#include <algorithm>

#include "hosts/com/dispatch.h"
#include "hosts/com/event_sink.h"
#include "hosts/flash/flash_ids.h"
#include "hosts/flash/movie_component.h"
#include "hosts/net/fetch.h"
#include "test_movies.h"
#include "test_support.h"

namespace {

using namespace hosts::com;
using namespace hosts::flash;
using hosts_test::HttpServer;
using hosts_test::pixelAt;
using hosts_test::pumpUntil;

constexpr int kWidth = 400, kHeight = 100;  // 550 x 400 stage: 137.5 x 100 in the middle

class MovieComponentTest : public ::testing::Test {
 protected:
  // One host window for the suite: under Wine without a window manager, destroying a
  // top-level window waits for a state change that never comes.
  static void SetUpTestSuite() { host = new hosts_test::HostWindow(kWidth, kHeight); }
  static void TearDownTestSuite() {
    delete host;
    host = nullptr;
  }

  void SetUp() override {
    HttpServer::Route lesson;
    lesson.body = hosts_test::letterboxMovie();
    lesson.contentType = "application/x-shockwave-flash";
    lesson.chunk = 64;
    server.serve("/edu/3/01.swf", lesson);
    component = make<MovieComponent>();
    ASSERT_EQ(component->CreateComponentWindow(host->handle(), &window), S_OK);
    ASSERT_TRUE(window);
    RECT r{0, 0, kWidth, kHeight};
    component->SetBounds(&r);
  }
  void TearDown() override { component->DestroyComponentWindow(); }

  IDispatch* automation() { return static_cast<IDispatch*>(component.get()); }
  // The host's two operations: Movie by dispatch identifier, then Play.
  void movieThenPlay(const std::wstring& url) {
    put(automation(), kDispMovie, Variant(url));
    call(automation(), kDispPlay);
  }
  bool shown() {
    auto s = component->player().state();
    return (s == movie::LoadState::Ready || s == movie::LoadState::Complete) && component->framesDrawn() > 0;
  }
  void loadLesson() {
    movieThenPlay(server.url("/edu/3/01.swf"));
    ASSERT_TRUE(pumpUntil([&] { return shown() && component->player().state() == movie::LoadState::Complete; }))
        << "state " << int(component->player().state());
  }
  void menu(UINT id) { SendMessageW(window, WM_COMMAND, id, 0); }

  HttpServer server;
  static inline hosts_test::HostWindow* host = nullptr;
  Ptr<MovieComponent> component;
  HWND window = nullptr;
};

TEST_F(MovieComponentTest, MovieThenPlayShowsTheStageLetterboxed) {
  loadLesson();
  EXPECT_EQ(component->movie(), server.url("/edu/3/01.swf"));
  EXPECT_EQ(server.hits("/edu/3/01.swf"), 1);
  EXPECT_TRUE(component->overlayText().empty());
  EXPECT_EQ(pixelAt(window, 5, 50), hosts_test::kMovieBackground);
  EXPECT_EQ(pixelAt(window, kWidth - 5, 50), hosts_test::kMovieBackground);
  EXPECT_EQ(pixelAt(window, kWidth / 2, 50), hosts_test::kStageColor);
}

TEST_F(MovieComponentTest, PlayingAdvancesFramesAndLoops) {
  loadLesson();
  EXPECT_TRUE(component->player().playing());
  EXPECT_TRUE(component->clockRunning());
  int seen = 0, last = component->player().currentFrame();
  bool wrapped = false;
  ASSERT_TRUE(pumpUntil([&] {
    int f = component->player().currentFrame();
    if (f != last) ++seen;
    if (f < last) wrapped = true;
    last = f;
    return wrapped;
  }, 10000)) << "a 10-frame movie at 12 per second loops within a second";
  EXPECT_GT(seen, 5);
}

TEST_F(MovieComponentTest, NoClockWhileStopped) {
  loadLesson();
  call(automation(), kDispStop);
  EXPECT_FALSE(component->clockRunning());
  int frame = component->player().currentFrame();
  int drawn = component->framesDrawn();
  // Three frame periods of the lesson (12 frames per second) pass.
  hosts_test::pumpTimerPeriods(1000 / 12, 3);
  EXPECT_EQ(component->player().currentFrame(), frame);
  EXPECT_EQ(component->framesDrawn(), drawn) << "nothing is drawn while stopped and unchanged";
  call(automation(), kDispPlay);
  EXPECT_TRUE(component->clockRunning());
}

TEST_F(MovieComponentTest, ProgressEventsReachTheSink) {
  auto sink = make<EventSink>();
  std::vector<int> percents;
  sink->on(kEventProgress, [&](const DispArgs& a) { percents.push_back(a.integer(0)); });
  component->Advise(sink.get());
  loadLesson();
  ASSERT_TRUE(pumpUntil([&] { return !percents.empty() && percents.back() == 100; }));
  EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
  EXPECT_EQ(get(automation(), kDispPercentLoaded).toInt(), 100);
  component->Advise(nullptr);
}

TEST_F(MovieComponentTest, FailedFetchShowsAMessage) {
  movieThenPlay(L"http://127.0.0.1:" + std::to_wstring(hosts_test::unusedPort()) + L"/edu/3/01.swf");
  ASSERT_TRUE(pumpUntil([&] { return component->overlayText().rfind(L"无法载入课程动画", 0) == 0; }, 20000))
      << "overlay: " << component->overlayText().size();
  EXPECT_FALSE(component->clockRunning());
  // Text is drawn in the middle of the otherwise blank player area.
  bool ink = false;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetDC(window);
  for (int x = 100; x < 300 && !ink; ++x)
    for (int y = 30; y < 70 && !ink; ++y)
      if (GetPixel(dc, x, y) != RGB(255, 255, 255)) ink = true;
  EXPECT_EQ(GetPixel(dc, 2, 2), RGB(255, 255, 255));
  ReleaseDC(window, dc);
  EXPECT_TRUE(ink);
}

TEST_F(MovieComponentTest, MissingMovieAndBrokenMovieShowTheMessage) {
  movieThenPlay(server.url("/edu/3/99.swf"));
  ASSERT_TRUE(pumpUntil([&] { return !component->overlayText().empty() && component->overlayText()[0] == L'无'; }));
  EXPECT_NE(component->overlayText().find(L"404"), std::wstring::npos);

  server.serve("/broken.swf", HttpServer::Route{hosts_test::brokenMovie()});
  movieThenPlay(server.url("/broken.swf"));
  ASSERT_TRUE(pumpUntil([&] { return component->overlayText().rfind(L"无法载入课程动画", 0) == 0; }));
  EXPECT_EQ(component->player().state(), movie::LoadState::Failed);
}

TEST_F(MovieComponentTest, ASecondMovieCancelsTheFirst) {
  HttpServer::Route held;
  held.body = hosts_test::letterboxMovie(3);
  held.hold = true;
  server.serve("/held.swf", held);
  movieThenPlay(server.url("/held.swf"));
  ASSERT_TRUE(pumpUntil([&] { return server.hits("/held.swf") == 1; }));
  EXPECT_NE(component->overlayText().find(L"正在载入"), std::wstring::npos);
  loadLesson();
  server.release();
  // The first movie's fetch ends; anything it posted before it ended is dispatched.
  ASSERT_TRUE(pumpUntil([] { return hosts::net::runningWorkers() == 0; }));
  hosts_test::pumpPosted();
  EXPECT_EQ(component->movie(), server.url("/edu/3/01.swf"));
  EXPECT_EQ(component->player().bytesLoaded(), hosts_test::letterboxMovie().size())
      << "no byte of the first movie reached the engine";
}

TEST_F(MovieComponentTest, TheSameAddressAgainLoadsAgain) {
  loadLesson();
  loadLesson();
  EXPECT_EQ(server.hits("/edu/3/01.swf"), 2);
}

TEST_F(MovieComponentTest, MenuCommandsActOnTheEngine) {
  loadLesson();
  menu(kCmdPlay);
  EXPECT_FALSE(component->player().playing());
  EXPECT_FALSE(component->menuState().playing);
  EXPECT_FALSE(component->clockRunning());
  menu(kCmdRewind);
  EXPECT_EQ(component->player().currentFrame(), 0);
  menu(kCmdForward);
  menu(kCmdForward);
  EXPECT_EQ(component->player().currentFrame(), 2);
  menu(kCmdBack);
  EXPECT_EQ(component->player().currentFrame(), 1);
  menu(kCmdLoop);
  EXPECT_FALSE(component->player().loop());
  EXPECT_FALSE(component->menuState().looping);
  menu(kCmdLoop);
  EXPECT_TRUE(component->player().loop());
  menu(kCmdQualityLow);
  EXPECT_EQ(component->player().quality(), movie::Quality::Low);
  EXPECT_EQ(component->menuState().quality, 0);
  menu(kCmdQualityHigh);
  EXPECT_EQ(component->player().quality(), movie::Quality::High);
  menu(kCmdPlay);
  EXPECT_TRUE(component->player().playing());
  EXPECT_TRUE(component->clockRunning());
}

TEST_F(MovieComponentTest, ZoomMagnifiesAndShowAllRestores) {
  loadLesson();
  call(automation(), kDispStop);
  ASSERT_EQ(pixelAt(window, 5, 50), hosts_test::kMovieBackground);
  menu(kCmdZoomIn);
  menu(kCmdZoomIn);  // 4x: the stage is wider than the window now
  EXPECT_EQ(pixelAt(window, 5, 50), hosts_test::kStageColor);
  menu(kCmdShowAll);
  EXPECT_EQ(pixelAt(window, 5, 50), hosts_test::kMovieBackground);
  menu(kCmdZoomOut);
  EXPECT_EQ(pixelAt(window, kWidth / 2 - 50, 50), hosts_test::kMovieBackground);
  EXPECT_EQ(pixelAt(window, kWidth / 2, 50), hosts_test::kStageColor);
}

TEST_F(MovieComponentTest, AMovieLoadedWithoutAWindowPlaysOnceItHasOne) {
  component->DestroyComponentWindow();
  EXPECT_FALSE(IsWindow(window));
  movieThenPlay(server.url("/edu/3/01.swf"));
  ASSERT_TRUE(pumpUntil([&] { return component->player().state() == movie::LoadState::Complete; }));
  EXPECT_FALSE(component->clockRunning()) << "no window, no timer";
  ASSERT_EQ(component->CreateComponentWindow(host->handle(), &window), S_OK);
  RECT r{0, 0, kWidth, kHeight};
  component->SetBounds(&r);
  EXPECT_TRUE(component->clockRunning());
  EXPECT_EQ(pixelAt(window, kWidth / 2, 50), hosts_test::kStageColor);
}

TEST_F(MovieComponentTest, StartSettingsAreHonoured) {
  PropertyBag settings;
  settings.set(L"Playing", L"False");
  settings.set(L"Loop", L"False");
  settings.set(L"Quality", L"Low");
  component->LoadSettings(&settings);
  put(automation(), kDispMovie, Variant(server.url("/edu/3/01.swf")));
  ASSERT_TRUE(pumpUntil([&] { return shown(); }));
  EXPECT_FALSE(component->player().playing());
  EXPECT_FALSE(component->player().loop());
  EXPECT_EQ(component->player().quality(), movie::Quality::Low);
  EXPECT_FALSE(component->clockRunning());
}

// Records the pop-up menus the component opens, then closes them: once the menu's loop
// is idle (WM_ENTERIDLE), or by a timer should that message not come.
struct MenuWatch {
  static inline int opened = 0;
  static inline std::vector<std::wstring> items;
  static inline std::vector<UINT> states;
  static void CALLBACK close(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
  }
  static LRESULT CALLBACK hook(int code, WPARAM wp, LPARAM lp) {
    auto* m = reinterpret_cast<CWPSTRUCT*>(lp);
    if (code == HC_ACTION && m->message == WM_INITMENUPOPUP && HIWORD(m->lParam) == 0) {
      HMENU menu = reinterpret_cast<HMENU>(m->wParam);
      if (++opened == 1) {
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
          wchar_t text[32] = {};
          GetMenuStringW(menu, UINT(i), text, 32, MF_BYPOSITION);
          items.push_back(text);
          states.push_back(GetMenuState(menu, UINT(i), MF_BYPOSITION));
        }
      }
      SetTimer(nullptr, 0, 200, close);
    }
    if (code == HC_ACTION && m->message == WM_ENTERIDLE && m->wParam == MSGF_MENU) EndMenu();
    return CallNextHookEx(nullptr, code, wp, lp);
  }
};

TEST_F(MovieComponentTest, RightClickOpensItsOwnMenu) {
  loadLesson();
  MenuWatch::opened = 0;
  MenuWatch::items.clear();
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, MenuWatch::hook, nullptr, GetCurrentThreadId());
  POINT at{50, 50};
  ClientToScreen(window, &at);
  SendMessageW(window, WM_CONTEXTMENU, WPARAM(window), MAKELPARAM(at.x, at.y));
  EXPECT_EQ(MenuWatch::opened, 1);
  const std::vector<std::wstring> expected = {L"放大", L"缩小", L"全部显示", L"", L"画质", L"",
                                              L"播放", L"循环", L"", L"倒带", L"前进", L"后退"};
  EXPECT_EQ(MenuWatch::items, expected);
  if (MenuWatch::states.size() == expected.size()) {
    EXPECT_TRUE(MenuWatch::states[6] & MF_CHECKED) << "播放 is checked while playing";
    EXPECT_TRUE(MenuWatch::states[7] & MF_CHECKED) << "循环 is checked while looping";
  }
  // A right button released over the player opens it too (as the system's default
  // handling turns the release into WM_CONTEXTMENU).
  PostMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 50));
  PostMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(50, 50));
  EXPECT_TRUE(pumpUntil([] { return MenuWatch::opened == 2; }, 5000));
  // With Menu off no menu opens.
  put(automation(), kDispMenu, Variant(false));
  SendMessageW(window, WM_CONTEXTMENU, WPARAM(window), MAKELPARAM(at.x, at.y));
  EXPECT_EQ(MenuWatch::opened, 2);
  UnhookWindowsHookEx(hook);
}

TEST(PlayerMenu, ChecksFollowTheState) {
  MenuState s;
  s.movieShown = true;
  s.playing = false;
  s.looping = true;
  s.quality = 1;
  HMENU m = buildPlayerMenu(s);
  EXPECT_FALSE(GetMenuState(m, kCmdPlay, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(m, kCmdLoop, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(m, kCmdQualityMedium, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_FALSE(GetMenuState(m, kCmdQualityHigh, MF_BYCOMMAND) & MF_CHECKED);
  DestroyMenu(m);
  s.movieShown = false;
  m = buildPlayerMenu(s);
  EXPECT_TRUE(GetMenuState(m, kCmdZoomIn, MF_BYCOMMAND) & MF_GRAYED);
  DestroyMenu(m);
}

}  // namespace

namespace {

// A mouse message at a client point of the player window, as the system sends it.
void mouse(HWND window, UINT msg, int x, int y, WPARAM keys) {
  SendMessageW(window, msg, keys, MAKELPARAM(x, y));
}

}  // namespace

TEST_F(MovieComponentTest, ALessonStopsAtItsButtonAndAClickPlaysToTheEnding) {
  HttpServer::Route lesson;
  lesson.body = hosts_test::lessonWithButtonMovie();
  lesson.contentType = "application/x-shockwave-flash";
  lesson.chunk = 64;
  server.serve("/edu/3/02.swf", lesson);
  auto sink = make<EventSink>();
  std::vector<std::pair<std::wstring, std::wstring>> commands;
  sink->on(kEventFSCommand, [&](const DispArgs& a) { commands.emplace_back(a.string(0), a.string(1)); });
  component->Advise(sink.get());
  std::vector<std::wstring> opened;
  component->setLinkOpener([&](const std::wstring& address) { opened.push_back(address); });
  movieThenPlay(server.url("/edu/3/02.swf"));
  ASSERT_TRUE(pumpUntil([&] { return shown() && component->player().currentFrame() == 2; }))
      << "the preloader plays on to the story frame; frame " << component->player().currentFrame();
  // The story waits: three frame periods change nothing.
  hosts_test::pumpTimerPeriods(1000 / 12, 3);
  EXPECT_EQ(component->player().currentFrame(), 2);
  // The 550 x 400 stage shows at a quarter of its size in the middle of the window, the
  // button's 200 x 100 pixels as 50 x 25 around the window's centre.
  const int x = kWidth / 2, y = kHeight / 2;
  EXPECT_EQ(pixelAt(window, x - 40, y), hosts_test::kStoryColor);
  EXPECT_EQ(pixelAt(window, x, y), hosts_test::kNextUp);
  mouse(window, WM_MOUSEMOVE, x, y, 0);
  EXPECT_EQ(pixelAt(window, x, y), hosts_test::kNextOver);
  mouse(window, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  EXPECT_EQ(GetCapture(), window) << "the pressed button keeps the pointer";
  EXPECT_EQ(pixelAt(window, x, y), hosts_test::kNextDown);
  mouse(window, WM_LBUTTONUP, x, y, 0);
  EXPECT_NE(GetCapture(), window);
  EXPECT_EQ(component->player().currentFrame(), 3);
  EXPECT_EQ(pixelAt(window, x, y), hosts_test::kEndingColor);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].first, L"lessonEnd");
  EXPECT_EQ(commands[0].second, L"done");
  EXPECT_EQ(opened, std::vector<std::wstring>{L"https://www.example.com/next"}) << "web addresses only";
  component->Advise(nullptr);
  component->setLinkOpener(nullptr);
}

TEST_F(MovieComponentTest, TheWheelReachesTheMoviesMouseListeners) {
  HttpServer::Route route;
  route.body = hosts_test::wheelMovie();
  route.contentType = "application/x-shockwave-flash";
  server.serve("/edu/3/03.swf", route);
  auto sink = make<EventSink>();
  std::vector<std::wstring> turned;
  sink->on(kEventFSCommand, [&](const DispArgs& a) {
    if (a.string(0) == L"wheel") turned.push_back(a.string(1));
  });
  component->Advise(sink.get());
  movieThenPlay(server.url("/edu/3/03.swf"));
  ASSERT_TRUE(pumpUntil([&] { return shown(); }));
  POINT at{kWidth / 2, kHeight / 2};
  ClientToScreen(window, &at);
  SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(at.x, at.y));
  SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, -2 * WHEEL_DELTA), MAKELPARAM(at.x, at.y));
  EXPECT_EQ(turned, (std::vector<std::wstring>{L"3", L"-6"})) << "three lines a notch, signed";
  component->Advise(nullptr);
}

TEST_F(MovieComponentTest, KeyPressesTellScriptsTheCharacterTheKeyTypes) {
  HttpServer::Route route;
  route.body = hosts_test::keyMovie();
  route.contentType = "application/x-shockwave-flash";
  server.serve("/edu/3/05.swf", route);
  auto sink = make<EventSink>();
  std::vector<std::wstring> typed;
  sink->on(kEventFSCommand, [&](const DispArgs& a) {
    if (a.string(0) == L"key") typed.push_back(a.string(1));
  });
  component->Advise(sink.get());
  movieThenPlay(server.url("/edu/3/05.swf"));
  ASSERT_TRUE(pumpUntil([&] { return shown(); }));
  auto keyData = [](UINT vk) { return LPARAM(1 | (MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16)); };
  // Posted through the message loop, whose translation queues the character after it.
  PostMessageW(window, WM_KEYDOWN, 'A', keyData('A'));
  PostMessageW(window, WM_KEYUP, 'A', keyData('A') | LPARAM(0xC0000000u));
  ASSERT_TRUE(pumpUntil([&] { return typed.size() == 1; }));
  EXPECT_EQ(typed[0], L"97") << "the A key types a small a";
  // Sent straight to the window: no character follows, the keyboard layout tells it.
  SendMessageW(window, WM_KEYDOWN, '5', keyData('5'));
  SendMessageW(window, WM_KEYDOWN, VK_RETURN, keyData(VK_RETURN));
  SendMessageW(window, WM_KEYDOWN, VK_LEFT, keyData(VK_LEFT) | LPARAM(1) << 24);
  EXPECT_EQ(typed, (std::vector<std::wstring>{L"97", L"53", L"13", L"0"})) << "an arrow key types nothing";
  component->Advise(nullptr);
}

TEST_F(MovieComponentTest, ScriptsLoadTextFromBesideTheMovie) {
  HttpServer::Route movie;
  movie.body = hosts_test::loadVarsMovie();
  movie.contentType = "application/x-shockwave-flash";
  server.serve("/edu/3/04.swf", movie);
  HttpServer::Route words;
  const std::string text = "word=apple&other=1";
  words.body.assign(text.begin(), text.end());
  words.contentType = "text/plain";
  server.serve("/edu/3/words.txt", words);
  auto sink = make<EventSink>();
  std::vector<std::pair<std::wstring, std::wstring>> commands;
  sink->on(kEventFSCommand, [&](const DispArgs& a) { commands.emplace_back(a.string(0), a.string(1)); });
  component->Advise(sink.get());
  movieThenPlay(server.url("/edu/3/04.swf"));
  ASSERT_TRUE(pumpUntil([&] { return !commands.empty(); }));
  EXPECT_EQ(commands[0].first, L"loaded");
  EXPECT_EQ(commands[0].second, L"apple");
  component->Advise(nullptr);
}

TEST_F(MovieComponentTest, ScriptsSendVariablesWithPostAsAForm) {
  HttpServer::Route movie;
  movie.body = hosts_test::loadVarsMovie(true);
  movie.contentType = "application/x-shockwave-flash";
  server.serve("/edu/3/05.swf", movie);
  // The form's answer comes from another address, reached by a redirect that keeps POST.
  server.serve("/edu/3/words.txt", HttpServer::Route::redirect("/edu/answer.txt", 307));
  HttpServer::Route words;
  const std::string text = "word=pear";
  words.body.assign(text.begin(), text.end());
  words.contentType = "text/plain";
  server.serve("/edu/answer.txt", words);
  auto sink = make<EventSink>();
  std::vector<std::pair<std::wstring, std::wstring>> commands;
  sink->on(kEventFSCommand, [&](const DispArgs& a) { commands.emplace_back(a.string(0), a.string(1)); });
  component->Advise(sink.get());
  movieThenPlay(server.url("/edu/3/05.swf"));
  ASSERT_TRUE(pumpUntil([&] { return !commands.empty(); }));
  EXPECT_EQ(commands[0].first, L"loaded");
  EXPECT_EQ(commands[0].second, L"pear");
  for (const char* path : {"/edu/3/words.txt", "/edu/answer.txt"}) {
    HttpServer::Received got = server.received(path);
    EXPECT_EQ(got.method, "POST") << path;
    EXPECT_EQ(got.contentType, "application/x-www-form-urlencoded") << path;
    EXPECT_EQ(got.body, "name=Tom%20%26%20Jerry") << path;
  }
  component->Advise(nullptr);
}
