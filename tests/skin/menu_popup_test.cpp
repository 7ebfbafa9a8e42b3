// Skinned menus in real windows under Wine: the menu bar of a shown form, a pop-up
// menu as Windows shows it (its margin and frame line), and the flat pop-up frame with
// its shadow, its window procedure, the coalesced frame requests and the neighbour
// repainted when a flat pop-up closes. Pixels are read back from the screen.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "skin/menu/flat_frame.h"
#include "skin/menu/menu_colors.h"
#include "skin/menu/menu_manager.h"
#include "main_window_skin.h"
#include "skin/menu/xp_menu.h"
#include "ui/ui.h"

using xpmenu::Rgb;

namespace {

COLORREF screenPixel(int x, int y) {
  HDC dc = GetDC(nullptr);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(nullptr, dc);
  return c;
}

std::function<void(HWND)>* gLook = nullptr;

void CALLBACK lookAtPopup(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  HWND wnd = FindWindowW(L"#32768", nullptr);
  if (wnd && IsWindowVisible(wnd)) {
    UpdateWindow(wnd);
    (*gLook)(wnd);
  }
  EndMenu();
}

// Shows the pop-up menu at (x, y); once Windows has shown and painted it, look runs with
// the pop-up window, then the menu closes.
void showPopup(ui::PopupMenu& menu, int x, int y, std::function<void(HWND)> look) {
  gLook = &look;
  SetTimer(nullptr, 0, 300, &lookAtPopup);
  menu.popup(x, y);
  gLook = nullptr;
}

// Takes the waiting frame requests off the application window's queue.
std::vector<MSG> takeFrameRequests() {
  std::vector<MSG> out;
  MSG m;
  while (PeekMessageW(&m, ui::application().handle(), xpmenu::XPM_FRAMEITEM, xpmenu::XPM_FRAMEWINDOW, PM_REMOVE))
    out.push_back(m);
  return out;
}

// Serves the waiting frame requests (inside a menu loop, where the tests run it).
void serveFrameRequests() {
  for (MSG m : takeFrameRequests()) DispatchMessageW(&m);
}

struct PopupFixture : ::testing::Test {
  void SetUp() override {
    takeFrameRequests();
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(100, 100, 320, 200);
    menu = new ui::MainMenu(form.get());
    form->setMenu(menu);
    bar = add(&menu->items(), "File");
    add(bar, "Open");
    popup = new ui::PopupMenu(form.get());
    first = add(&popup->items(), "First");
    add(&popup->items(), "Second");
    skin = MakeMainWindowSkin(form.get());
    skin->loaded();  // joins the manager, which makes it the painting skin
    previousMain = ui::application().mainForm();
    ui::application().setMainForm(form.get());
  }
  void TearDown() override {
    ui::application().setMainForm(previousMain);
    form.reset();
    takeFrameRequests();
  }
  ui::MenuItem* add(ui::MenuItem* parent, const char* caption) {
    auto* i = new ui::MenuItem(form.get());
    i->setCaption(caption);
    parent->add(i);
    return i;
  }
  std::unique_ptr<ui::Form> form;
  ui::MainMenu* menu;
  ui::PopupMenu* popup;
  ui::MenuItem *bar, *first;
  TXPMenu* skin;
  ui::Form* previousMain = nullptr;
};

// A plain pop-up window to frame, at (x, y).
HWND makeWindow(int x, int y, int w, int h) {
  static bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = L"FramedPopupTest";
    return RegisterClassW(&wc) != 0;
  }();
  (void)registered;
  HWND wnd = CreateWindowExW(WS_EX_TOOLWINDOW, L"FramedPopupTest", L"", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  UpdateWindow(wnd);
  return wnd;
}

}  // namespace

TEST_F(PopupFixture, MenuBarOfAShownFormIsPaintedByTheSkin) {
  form->show();
  DrawMenuBar(form->handle());
  UpdateWindow(form->handle());
  ui::application().processMessages();
  RECT r{};
  ASSERT_TRUE(GetMenuItemRect(form->handle(), menu->handle(), 0, &r));
  const auto& p = skin->EffectivePalette();
  EXPECT_EQ(screenPixel(r.left + 1, r.top + 1), p.BarFace);
  EXPECT_EQ(screenPixel(r.right - 1, r.bottom - 1), p.BarFace);
  int ink = 0;
  for (int x = r.left; x < r.right; ++x)
    for (int y = r.top; y < r.bottom; ++y) ink += screenPixel(x, y) != p.BarFace;
  EXPECT_GT(ink, 10);  // the caption
}

TEST_F(PopupFixture, PopupItemsCoverTheMarginButNotTheFrameLine) {
  bool looked = false;
  showPopup(*popup, 200, 150, [&](HWND wnd) {
    looked = true;
    RECT wr{}, item{};
    GetWindowRect(wnd, &wr);
    ASSERT_TRUE(GetMenuItemRect(nullptr, popup->handle(), 0, &item));
    const auto& p = skin->EffectivePalette();
    int mid = (item.top + item.bottom) / 2;
    ASSERT_GT(item.left, wr.left + 1) << "no margin left of the items";
    for (int x = std::max<int>(item.left - 4, wr.left + 1); x < item.left; ++x)
      EXPECT_EQ(screenPixel(x, mid), p.MenuFace) << "margin column " << x - wr.left;
    for (int x = item.left; x < item.left + skin->IconWidth(); ++x)
      EXPECT_EQ(screenPixel(x, mid), p.IconFace) << "icon column " << x - item.left;
    // The window's outermost column is the system's frame line: as at the corner.
    EXPECT_EQ(screenPixel(wr.left, mid), screenPixel(wr.left, wr.top));
    EXPECT_NE(screenPixel(wr.left, mid), p.MenuFace);
  });
  EXPECT_TRUE(looked) << "the pop-up menu did not show";
}

// ----- the flat frame -----

TEST_F(PopupFixture, FlatPopupGetsAFlatFrameAndAShadow) {
  skin->SetFlatMenu(true);
  bool looked = false;
  showPopup(*popup, 200, 150, [&](HWND wnd) {
    looked = true;
    // The frame request waits in the queue until the menu loop serves it.
    serveFrameRequests();
    EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&xpmenu::FlatFrameWndProc));
    EXPECT_NE(GetWindowLongPtrW(wnd, GWLP_USERDATA), 0);
    RECT wr{}, item{};
    GetWindowRect(wnd, &wr);
    int w = wr.right - wr.left, h = wr.bottom - wr.top;
    ASSERT_TRUE(GetMenuItemRect(nullptr, popup->handle(), 0, &item));
    const auto& p = skin->EffectivePalette();
    if (!skin->IsWinXP()) {
      HRGN rgn = CreateRectRgn(0, 0, 0, 0);
      ASSERT_NE(GetWindowRgn(wnd, rgn), ERROR);
      EXPECT_FALSE(PtInRegion(rgn, w - 1, 0));  // the corners the shadow leaves out
      EXPECT_FALSE(PtInRegion(rgn, 0, h - 1));
      EXPECT_TRUE(PtInRegion(rgn, w - 1, h - 1));
      DeleteObject(rgn);
      int mid = (item.top + item.bottom) / 2;
      EXPECT_EQ(screenPixel(wr.right - 1, mid), p.FlatShadow);
      EXPECT_EQ(screenPixel(wr.right - 2, mid), p.FlatShadow);
      EXPECT_EQ(screenPixel(wr.right - 3, mid), p.FlatEdge);
      EXPECT_EQ(screenPixel(wr.left + 20, wr.bottom - 1), p.FlatShadow);
      EXPECT_EQ(screenPixel(wr.left + 20, wr.bottom - 3), p.FlatEdge);
      EXPECT_EQ(screenPixel(wr.left, mid), p.FlatEdge);
      EXPECT_EQ(screenPixel(wr.left + 1, mid), p.IconFace);
      EXPECT_EQ(screenPixel(wr.left + 2, mid), p.IconFace);
      EXPECT_EQ(screenPixel(wr.left + 20, wr.top), p.FlatEdge);
      // Rows 1 and 2 repeat row 3, the first row of the items.
      EXPECT_EQ(screenPixel(wr.left + 20, wr.top + 1), screenPixel(wr.left + 20, wr.top + 3));
      EXPECT_EQ(screenPixel(wr.left + 20, wr.top + 2), screenPixel(wr.left + 20, wr.top + 3));
    }
  });
  EXPECT_TRUE(looked) << "the pop-up menu did not show";
}

TEST_F(PopupFixture, FrameRequestsAreCoalesced) {
  skin->SetFlatMenu(true);
  ui::Bitmap target(200, 40);
  RECT r{10, 0, 150, 22};
  skin->DrawMenuItem(first, target.canvas(), r, false);
  skin->DrawMenuItem(first, target.canvas(), r, true);
  std::vector<MSG> waiting = takeFrameRequests();
  ASSERT_EQ(waiting.size(), 1u);
  EXPECT_EQ(waiting[0].message, xpmenu::XPM_FRAMEITEM);  // a memory context has no window
  EXPECT_EQ(waiting[0].lParam, reinterpret_cast<LPARAM>(first));
}

TEST_F(PopupFixture, ItemsOnAWindowAskForThatWindowsFrame) {
  skin->SetFlatMenu(true);
  popup->setBiDiMode(ui::BiDiMode::RightToLeft);
  HWND other = makeWindow(400, 300, 80, 60);
  {
    ui::WindowCanvas c(other);
    skin->DrawMenuItem(first, c, RECT{3, 3, 70, 20}, false);
  }
  std::vector<MSG> waiting = takeFrameRequests();
  ASSERT_EQ(waiting.size(), 1u);
  EXPECT_EQ(waiting[0].message, xpmenu::XPM_FRAMEWINDOW);
  EXPECT_EQ(waiting[0].wParam, 1u);
  EXPECT_EQ(waiting[0].lParam, reinterpret_cast<LPARAM>(other));
  DestroyWindow(other);
}

TEST_F(PopupFixture, ItemsOnTheOwnerFormNeverAskForAFrame) {
  skin->SetFlatMenu(true);
  {
    ui::WindowCanvas c(form->handle());
    skin->DrawMenuItem(first, c, RECT{3, 3, 70, 20}, false);
  }
  EXPECT_TRUE(takeFrameRequests().empty());
  skin->SetFlatMenu(false);
  ui::Bitmap target(200, 40);
  skin->DrawMenuItem(first, target.canvas(), RECT{10, 0, 150, 22}, false);
  EXPECT_TRUE(takeFrameRequests().empty());
}

TEST_F(PopupFixture, TheHookPaintsTheRequestedFrameOnce) {
  HWND wnd = makeWindow(400, 300, 80, 60);
  LONG_PTR original = GetWindowLongPtrW(wnd, GWLP_WNDPROC);
  PostMessageW(ui::application().handle(), xpmenu::XPM_FRAMEWINDOW, 0, reinterpret_cast<LPARAM>(wnd));
  ui::application().processMessages();
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&xpmenu::FlatFrameWndProc));
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_USERDATA), original);
  const auto& p = skin->EffectivePalette();
  EXPECT_EQ(screenPixel(400, 330), p.FlatEdge);
  EXPECT_EQ(screenPixel(401, 330), p.IconFace);
  EXPECT_EQ(screenPixel(479, 330), p.FlatShadow);
  // Painted again, a region that fits keeps its handle's shape.
  HRGN before = CreateRectRgn(0, 0, 0, 0);
  GetWindowRgn(wnd, before);
  skin->DrawFlatFrame(wnd, false);
  HRGN after = CreateRectRgn(0, 0, 0, 0);
  GetWindowRgn(wnd, after);
  EXPECT_TRUE(EqualRgn(before, after));
  DeleteObject(before);
  DeleteObject(after);
  // Hidden, the window is as it was.
  ShowWindow(wnd, SW_HIDE);
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), original);
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_USERDATA), 0);
  HRGN none = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(wnd, none), ERROR);
  DeleteObject(none);
  DestroyWindow(wnd);
}

TEST_F(PopupFixture, ErasingIsLeftToTheMenu) {
  HWND wnd = makeWindow(400, 300, 80, 60);
  skin->DrawFlatFrame(wnd, false);
  HDC dc = GetDC(wnd);
  EXPECT_EQ(SendMessageW(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
  ReleaseDC(wnd, dc);
  DestroyWindow(wnd);
}

TEST_F(PopupFixture, ClosingAFlatPopupRepaintsTheFlatNeighbourOnItsRight) {
  HWND left = makeWindow(300, 300, 80, 60);
  HWND right = makeWindow(381, 290, 80, 60);  // covers (380 + 2, 300 + 2)
  HWND apart = makeWindow(600, 300, 80, 60);
  skin->DrawFlatFrame(left, false);
  skin->DrawFlatFrame(right, false);
  skin->DrawFlatFrame(apart, false);
  ValidateRect(right, nullptr);
  ValidateRect(apart, nullptr);
  ShowWindow(left, SW_HIDE);
  EXPECT_TRUE(GetUpdateRect(right, nullptr, FALSE));
  EXPECT_FALSE(GetUpdateRect(apart, nullptr, FALSE));
  EXPECT_NE(GetWindowLongPtrW(left, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&xpmenu::FlatFrameWndProc));
  DestroyWindow(left);
  DestroyWindow(right);
  DestroyWindow(apart);
}

TEST_F(PopupFixture, FrameRequestForAnItemLooksUpTheWindowUnderIt) {
  skin->SetFlatMenu(true);
  bool looked = false;
  showPopup(*popup, 200, 150, [&](HWND wnd) {
    looked = true;
    serveFrameRequests();
    // Put the window's procedure back, then ask for its frame through the item alone.
    SetWindowLongPtrW(wnd, GWLP_WNDPROC, GetWindowLongPtrW(wnd, GWLP_USERDATA));
    SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
    ASSERT_NE(GetWindowLongPtrW(wnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&xpmenu::FlatFrameWndProc));
    PostMessageW(ui::application().handle(), xpmenu::XPM_FRAMEITEM, 0, reinterpret_cast<LPARAM>(first));
    serveFrameRequests();
    EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&xpmenu::FlatFrameWndProc));
  });
  EXPECT_TRUE(looked) << "the pop-up menu did not show";
}

TEST_F(PopupFixture, FrameRequestForAGoneItemDoesNothing) {
  auto* gone = new ui::MenuItem(form.get());
  delete gone;
  PostMessageW(ui::application().handle(), xpmenu::XPM_FRAMEITEM, 0, reinterpret_cast<LPARAM>(gone));
  ui::application().processMessages();  // must not touch the freed item
  SUCCEED();
}
