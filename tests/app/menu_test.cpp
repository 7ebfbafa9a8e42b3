// The main menu: the channel command and the exit command.
#include "app_fixture.h"

#include "app/core/site_addresses.h"
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
