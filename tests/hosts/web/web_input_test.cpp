// The component's answers to the mouse: its own right-click menu, and links handed to
// the browser only when they are web addresses.
#include <gtest/gtest.h>

#include <set>

#include "test_http_server.h"
#include "web_test_support.h"

#ifndef MN_GETHMENU
#define MN_GETHMENU 0x01E1
#endif

namespace {

using webtest::ComponentUnderTest;
using webtest::pumpUntil;
using webtest::TestHttpServer;

struct MenuSeen {
  bool shown = false;
  std::vector<std::wstring> items;
};
MenuSeen* g_menu = nullptr;

// Runs inside the menu's own modal loop: reads the open menu's items and closes it.
VOID CALLBACK closeOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
  HWND popup = FindWindowW(L"#32768", nullptr);
  if (!g_menu || !popup || !IsWindowVisible(popup)) return;
  HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
  for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
    g_menu->items.push_back(text);
  }
  g_menu->shown = true;
  EndMenu();
}

// Runs inside the menu's modal loop: picks the first item with the keyboard.
VOID CALLBACK chooseFirstItem(HWND, UINT, UINT_PTR, DWORD) {
  HWND popup = FindWindowW(L"#32768", nullptr);
  if (popup && IsWindowVisible(popup)) {
    PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
  }
}

class WebInput : public ::testing::Test {
 protected:
  TestHttpServer server;
};

TEST_F(WebInput, RightClickShowsTheComponentsOwnMenu) {
  server.page("/menu.htm", "<html><body bgcolor=\"#FFFF00\">menu</body></html>");
  ComponentUnderTest c;
  c.navigate(server.url("/menu.htm"));
  ASSERT_TRUE(c.waitForCompletions(1));
  MenuSeen seen;
  g_menu = &seen;
  UINT_PTR timer = SetTimer(nullptr, 0, 20, closeOpenMenu);
  PostMessageW(c.view(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
  PostMessageW(c.view(), WM_RBUTTONUP, 0, MAKELPARAM(20, 20));
  bool shown = pumpUntil([&] { return seen.shown; });
  KillTimer(nullptr, timer);
  g_menu = nullptr;
  ASSERT_TRUE(shown);
  ASSERT_EQ(seen.items.size(), 2u);
  EXPECT_EQ(seen.items[0], L"刷新");
  EXPECT_EQ(seen.items[1], L"复制链接地址");
}

TEST_F(WebInput, RefreshFromTheMenuFetchesThePageAgain) {
  server.page("/again.htm", "<html><body>again</body></html>");
  ComponentUnderTest c;
  c.navigate(server.url("/again.htm"));
  ASSERT_TRUE(c.waitForCompletions(1));
  PostMessageW(c.view(), WM_COMMAND, 0, 0);  // stray commands change nothing
  // Choose the first item: the timer presses Enter on the open menu instead of closing it.
  UINT_PTR timer = SetTimer(nullptr, 0, 20, chooseFirstItem);
  PostMessageW(c.view(), WM_RBUTTONUP, 0, MAKELPARAM(20, 20));
  bool again = c.waitForCompletions(2);
  KillTimer(nullptr, timer);
  ASSERT_TRUE(again);
  EXPECT_EQ(server.requestCount("/again.htm"), 2u);
}

TEST_F(WebInput, LinkClicksHandOnlyWebAddressesToTheShell) {
  server.page("/links.htm",
              "<html><body style=\"margin:0\"><font size=6>"
              "<a href=\"http://one.test/a\">WWWWWWWWWW</a><br>"
              "<a href=\"file:///C:/windows/notepad.exe\">WWWWWWWWWW</a><br>"
              "<a href=\"HTTPS://two.test/b\">WWWWWWWWWW</a><br>"
              "<a href=\"javascript:alert(1)\">WWWWWWWWWW</a><br>"
              "<a href=\"mailto:x@y.test\">WWWWWWWWWW</a><br>"
              "</font></body></html>");
  ComponentUnderTest c(400, 300);
  c.navigate(server.url("/links.htm"));
  ASSERT_TRUE(c.waitForCompletions(1));
  for (int y = 2; y < 300; y += 4)
    for (int x = 2; x < 400; x += 12) {
      SendMessageW(c.view(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
      SendMessageW(c.view(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
  std::set<std::wstring> lower;
  for (auto a : c.opened) {
    for (auto& ch : a) ch = towlower(ch);
    lower.insert(a);
  }
  EXPECT_EQ(lower, (std::set<std::wstring>{L"http://one.test/a", L"https://two.test/b"}));
}

TEST_F(WebInput, APressOutsideTheLinkThenReleaseOnItOpensNothing) {
  server.page("/drag.htm", "<html><body style=\"margin:0\"><font size=6><a href=\"http://one.test/a\">WWWWWWWWWW</a></font></body></html>");
  ComponentUnderTest c(400, 300);
  c.navigate(server.url("/drag.htm"));
  ASSERT_TRUE(c.waitForCompletions(1));
  SendMessageW(c.view(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 290));
  SendMessageW(c.view(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_TRUE(c.opened.empty());
  SendMessageW(c.view(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(c.view(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(c.opened.size(), 1u);
}

}  // namespace
