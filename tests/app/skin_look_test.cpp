// The flat look the menu skin gives the main window: the lesson tree's border lit under
// the mouse and with the focus, the player panel's flat bevel. Colours from the running
// system through the skin's colour rules.
#include "app_fixture.h"

#include "skin/menu/control_subclass.h"
#include "skin/menu/menu_colors.h"
#include "tests/skin/window_pixels.h"

using skintest::ringColor;

TEST_F(MainWindowTest, LessonTreeHasAFlatBorderThatLightsUp) {
    Open();
    HWND tree = Tree();
    EXPECT_FALSE(GetWindowLongW(tree, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(GetWindowLongW(tree, GWL_STYLE) & WS_BORDER);
    RECT client, outer;
    GetClientRect(tree, &client);
    GetWindowRect(tree, &outer);
    int scrollBar = (GetWindowLongW(tree, GWL_STYLE) & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    EXPECT_EQ(client.right, outer.right - outer.left - 2 - scrollBar);
    EXPECT_EQ(client.bottom, outer.bottom - outer.top - 2);
    COLORREF rest = xpmenu::DarkenMenuColor(GetSysColor(COLOR_WINDOW), 60);
    COLORREF lit = xpmenu::LightenColor(GetSysColor(COLOR_HIGHLIGHT), 60);
    EXPECT_EQ(ringColor(tree), rest);
    SendMessageW(tree, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(ringColor(tree), lit);
    SendMessageW(tree, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(ringColor(tree), rest);
    form->lbMenu->setFocus();
    Pump();
    EXPECT_EQ(ringColor(tree), lit);
    // Lessons are still played from the lit tree.
    doubles->log.Clear();
    ClickLesson(7);
    EXPECT_THAT(doubles->log.calls, ::testing::ElementsAre("Movie=" + Address(7), "Play"));
}

TEST_F(MainWindowTest, PlayerPanelHasAFlatBevelAndTheBannerPanelNone) {
    Open();
    HWND panel = form->pFlash->handle();
    RECT r;
    GetClientRect(panel, &r);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(skintest::clientPixel(panel, 0, r.bottom / 2), xpmenu::LightenColor(face, 60));
    EXPECT_EQ(skintest::clientPixel(panel, r.right / 2, 0), xpmenu::LightenColor(face, 60));
    EXPECT_EQ(skintest::clientPixel(panel, r.right - 1, r.bottom / 2), xpmenu::DarkenMenuColor(face, 60));
    EXPECT_EQ(skintest::clientPixel(panel, r.right / 2, r.bottom - 1), xpmenu::DarkenMenuColor(face, 60));
    EXPECT_NE(form->XPMenu1->RecordOf(form->Panel1), nullptr);
    EXPECT_EQ(form->Panel1->bevelOuter(), ui::Bevel::None);
}
