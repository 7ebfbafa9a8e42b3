// The main menu from the keyboard: F10, and Alt pressed and released alone, reach the menu
// bar from the focused tree, player and banner. The keys go through the system's input
// queue (real key input) to whichever control has the focus.
#include "app_fixture.h"

#include <algorithm>
#include <initializer_list>

namespace {

// Drop-downs of the main window that opened, seen by a hook on this thread's messages.
std::vector<HMENU> g_opened;
LRESULT CALLBACK WatchMenus(int code, WPARAM w, LPARAM l) {
    auto* m = reinterpret_cast<CWPSTRUCT*>(l);
    if (code == HC_ACTION && m->message == WM_INITMENUPOPUP) g_opened.push_back(reinterpret_cast<HMENU>(m->wParam));
    return CallNextHookEx(nullptr, code, w, l);
}

class KeyboardMenuTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        g_opened.clear();
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, WatchMenus, nullptr, GetCurrentThreadId());
    }
    void TearDown() override {
        UnhookWindowsHookEx(hook_);
        MainWindowTest::TearDown();
    }
    // Gives the focus to a control of the window, then presses the keys; Escape twice
    // afterwards closes whatever menu they opened.
    void PressWithFocusOn(HWND control, std::initializer_list<WORD> keys) {
        SetForegroundWindow(form->handle());
        SetFocus(control);
        ASSERT_EQ(GetFocus(), control);
        PressKeys(keys);
        PressKeys({VK_ESCAPE, VK_ESCAPE});
        Pump();
    }
    bool HelpOpened() {
        HMENU help = GetSubMenu(GetMenu(form->handle()), 0);
        return std::find(g_opened.begin(), g_opened.end(), help) != g_opened.end();
    }
    HHOOK hook_ = nullptr;
};

}  // namespace

TEST_F(KeyboardMenuTest, AfterAClickOnALessonF10ThenReturnOpensHelp) {
    Open();
    ClickLesson(3);
    PressWithFocusOn(Tree(), {VK_F10, VK_RETURN});
    EXPECT_TRUE(HelpOpened());
}

TEST_F(KeyboardMenuTest, AltAloneThenReturnOpensHelpFromTheTree) {
    Open();
    PressWithFocusOn(Tree(), {VK_MENU, VK_RETURN});
    EXPECT_TRUE(HelpOpened());
}

TEST_F(KeyboardMenuTest, F10ReachesTheMenuFromThePlayer) {
    Open();
    PressWithFocusOn(doubles->FlashWindow(), {VK_F10, VK_RETURN});
    EXPECT_TRUE(HelpOpened());
}

TEST_F(KeyboardMenuTest, F10ReachesTheMenuFromTheBanner) {
    Open();
    PressWithFocusOn(doubles->WebInnerWindow(), {VK_F10, VK_RETURN});
    EXPECT_TRUE(HelpOpened());
}
