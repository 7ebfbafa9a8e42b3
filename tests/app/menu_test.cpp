// The main menu: the channel command and the exit command.
#include "app_fixture.h"

#include <functional>

#include "app/core/site_addresses.h"
#include "skin/menu/menu_colors.h"
#include "skin/menu/xp_menu.h"
#include "ui/text.h"

namespace {
// Sets ChannelAddress for one test and empties it again.
struct ChannelAddressIs {
    explicit ChannelAddressIs(const std::string& address) { ChannelAddress = address; }
    ~ChannelAddressIs() { ReleaseSiteAddresses(); }
};
}  // namespace

TEST_F(MainWindowTest, MenuBarHoldsHelpWithTheChannelCommandThenExit) {
    Open();
    HMENU bar = GetMenu(form->handle());
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(form->N2->caption(), ui::narrow(L"帮助"));
    EXPECT_EQ(form->N3->caption(), ui::narrow(L"Brimblo教育频道"));
    EXPECT_EQ(form->N5->caption(), ui::narrow(L"退出"));
    HMENU help = GetSubMenu(bar, 0);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(GetMenuItemCount(help), 1);
    EXPECT_EQ(GetSubMenu(bar, 1), nullptr);  // exit is a command on the bar itself
    EXPECT_EQ(form->N3->shortCut(), 0);
    EXPECT_EQ(form->N5->shortCut(), 0);
}

TEST_F(MainWindowTest, ChannelCommandHandsAWebAddressToTheShell) {
    Open();
    ChannelAddressIs channel("http://127.0.0.1:88/edu/channel.htm");
    Command(form->N3);
    EXPECT_THAT(shellCalls, ::testing::ElementsAre("http://127.0.0.1:88/edu/channel.htm"));
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, ChannelCommandAcceptsHttpsInEitherCase) {
    Open();
    ChannelAddressIs channel("HTTPS://Example.org/Edu");
    Command(form->N3);
    EXPECT_THAT(shellCalls, ::testing::ElementsAre("HTTPS://Example.org/Edu"));
}

TEST_F(MainWindowTest, ChannelCommandHandsNothingElseAndShowsNothing) {
    Open();
    for (const char* address : {"", "calc.exe", "c:\\windows\\notepad.exe", "file:///c:/boot.ini", " http://x",
                                "mailto:a@b", "javascript:alert(1)"}) {
        ChannelAddressIs channel(address);
        Command(form->N3);
    }
    EXPECT_TRUE(shellCalls.empty());
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, ExitClosesTheWindowAndEndsTheLoop) {
    Open();
    HWND window = form->handle();
    ASSERT_TRUE(IsWindowVisible(window));
    Command(form->N5);
    EXPECT_TRUE(!IsWindow(window) || !IsWindowVisible(window));
    EXPECT_TRUE(ui::application().terminated());
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, TheCloseButtonEndsTheLoopToo) {
    Open();
    PostMessageW(form->handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_TRUE(ui::application().terminated());
}

// ----- the menus as the menu skin draws them -----

namespace {
std::function<void()>* gLookWhileOpen = nullptr;

void CALLBACK LookAtOpenMenu(HWND, UINT, UINT_PTR id, DWORD) {
    HWND drop = FindWindowW(L"#32768", nullptr);
    if (!drop || !IsWindowVisible(drop) || !gLookWhileOpen) return;
    KillTimer(nullptr, id);
    UpdateWindow(drop);
    (*gLookWhileOpen)();
    gLookWhileOpen = nullptr;
    EndMenu();
}

// Serves messages until a menu opened by keys already pressed shows; look runs then
// and the menu closes. False when no menu showed.
bool WhileMenuOpen(std::function<void()> look) {
    bool looked = false;
    std::function<void()> once = [&] {
        looked = true;
        look();
    };
    gLookWhileOpen = &once;
    UINT_PTR timer = SetTimer(nullptr, 0, 300, &LookAtOpenMenu);
    for (int i = 0; i < 100 && !looked; ++i) {  // the menu loop runs inside
        ui::application().processMessages();
        Sleep(50);
    }
    KillTimer(nullptr, timer);
    gLookWhileOpen = nullptr;
    return looked;
}

COLORREF ScreenPixel(int x, int y) {
    HDC dc = GetDC(nullptr);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(nullptr, dc);
    return c;
}
}  // namespace

TEST_F(MainWindowTest, F10ShowsTheSkinnedBarAndHelpDropDown) {
    Open();
    ASSERT_TRUE(form->XPMenu1->Active());
    SetCursorPos(0, 0);  // away from the bar: no item lights up under the cursor
    SetForegroundWindow(form->handle());
    SetFocus(Tree());
    HWND wnd = form->handle();
    HMENU bar = GetMenu(wnd);
    PressKeys({VK_F10, VK_RETURN});
    bool shown = WhileMenuOpen([&] {
        const xpmenu::EffectivePalette& p = form->XPMenu1->EffectivePalette();
        RECT help{}, exit{}, channel{};
        ASSERT_TRUE(GetMenuItemRect(wnd, bar, 0, &help));
        ASSERT_TRUE(GetMenuItemRect(wnd, bar, 1, &exit));
        ASSERT_TRUE(GetMenuItemRect(nullptr, GetSubMenu(bar, 0), 0, &channel));
        // 帮助 is raised: outlined, its right edge shaded from the bar face.
        EXPECT_EQ(ScreenPixel(help.left, help.top + 5), p.SelectEdge);
        EXPECT_EQ(ScreenPixel(help.right - 8, help.top + 5), p.SelectEdge);
        EXPECT_EQ(ScreenPixel(help.left + 2, help.bottom - 1), p.SelectFace);
        EXPECT_EQ(ScreenPixel(help.right - 1, help.top), xpmenu::DarkenMenuColor(p.BarFace, 10));
        EXPECT_EQ(ScreenPixel(help.right - 7, help.top + 9), xpmenu::DarkenMenuColor(p.BarFace, 100));
        // 退出 rests on the bar face.
        EXPECT_EQ(ScreenPixel(exit.left + 1, exit.top + 1), p.BarFace);
        // The channel command, selected: a filled and outlined bar right of the margin.
        int mid = (channel.top + channel.bottom) / 2;
        EXPECT_EQ(ScreenPixel(channel.left - 1, mid), p.MenuFace);
        EXPECT_EQ(ScreenPixel(channel.left, mid), p.SelectEdge);
        EXPECT_EQ(ScreenPixel(channel.left + 2, mid), p.SelectFace);
        EXPECT_EQ(ScreenPixel(channel.left + 30, channel.top + 1), p.SelectEdge);
        EXPECT_EQ(ScreenPixel(channel.left + 30, channel.top), p.MenuFace);
        EXPECT_EQ(ScreenPixel(channel.left + 2, channel.top), p.IconFace);
    });
    EXPECT_TRUE(shown) << "the help drop-down did not show";
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, ChannelCommandFromTheSkinnedMenuOpensTheChannel) {
    Open();
    ChannelAddressIs channel("http://127.0.0.1:88/edu/channel.htm");
    SetForegroundWindow(form->handle());
    SetFocus(Tree());
    PressKeys({VK_F10, VK_RETURN, VK_RETURN});
    for (int i = 0; i < 100 && shellCalls.empty(); ++i) {
        Pump();
        Sleep(20);
    }
    EXPECT_THAT(shellCalls, ::testing::ElementsAre("http://127.0.0.1:88/edu/channel.htm"));
    EXPECT_TRUE(errors.empty());
}
