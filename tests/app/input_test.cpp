// What clicks, keys and right clicks do.
#include "app_fixture.h"

using ::testing::ElementsAre;

TEST_F(MainWindowTest, AClickOnLesson12HandsItsAddressThenPlay) {
    Open();
    doubles->log.Clear();
    ClickLesson(12);
    ASSERT_THAT(doubles->log.calls, ElementsAre("Movie=" + Address(12), "Play"));
    EXPECT_EQ(doubles->log.calls[0].substr(doubles->log.calls[0].size() - 13), "/edu/3/12.swf");
}

TEST_F(MainWindowTest, ASecondClickOnTheSameLessonHandsItAgain) {
    Open();
    doubles->log.Clear();
    ClickLesson(12);
    ClickLesson(12);
    EXPECT_THAT(doubles->log.calls, ElementsAre("Movie=" + Address(12), "Play", "Movie=" + Address(12), "Play"));
}

TEST_F(MainWindowTest, ArrowKeysMoveTheSelectionButHandNothing) {
    Open();
    ClickLesson(4);
    doubles->log.Clear();
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_UP);
    EXPECT_TRUE(doubles->log.calls.empty());
    ASSERT_NE(form->lbMenu->selected(), nullptr);
    EXPECT_EQ(form->lbMenu->selected()->index(), 4);  // lesson 5
}

TEST_F(MainWindowTest, TheNextClickAfterArrowKeysPlaysTheLessonClicked) {
    Open();
    ClickLesson(4);
    Key(VK_DOWN);
    doubles->log.Clear();
    ClickLesson(9);
    EXPECT_THAT(doubles->log.calls, ElementsAre("Movie=" + Address(9), "Play"));
}

TEST_F(MainWindowTest, ADoubleClickHandsTheAddressOnce) {
    Open();
    doubles->log.Clear();
    DoubleClick(ItemCentre(6));
    EXPECT_THAT(doubles->log.calls, ElementsAre("Movie=" + Address(7), "Play"));
}

// The window cannot be taller than the screen, so the tree keeps its first five
// entries only: that leaves an empty part below them.
class EmptyPartTest : public MainWindowTest {
protected:
    void KeepFiveEntries() {
        while (form->lbMenu->items().count() > 5) form->lbMenu->items().remove(form->lbMenu->items().item(5));
        Pump();
    }
    POINT EmptyPart() {
        RECT client{};
        GetClientRect(Tree(), &client);
        POINT last = ItemCentre(4);
        EXPECT_LT(last.y + 60, client.bottom) << "no empty part below the entries";
        return POINT{last.x, client.bottom - 10};
    }
};

TEST_F(EmptyPartTest, AClickOnTheEmptyPartDoesNothingWhileNoneIsSelected) {
    Open();
    KeepFiveEntries();
    ASSERT_EQ(form->lbMenu->selected(), nullptr);
    doubles->log.Clear();
    Click(EmptyPart());
    EXPECT_TRUE(doubles->log.calls.empty());
    EXPECT_EQ(form->lbMenu->selected(), nullptr);
    EXPECT_TRUE(errors.empty());
}

TEST_F(EmptyPartTest, AClickOnTheEmptyPartReplaysTheSelectedLesson) {
    Open();
    KeepFiveEntries();
    ClickLesson(4);
    doubles->log.Clear();
    Click(EmptyPart());
    EXPECT_THAT(doubles->log.calls, ElementsAre("Movie=" + Address(4), "Play"));
    ASSERT_NE(form->lbMenu->selected(), nullptr);
    EXPECT_EQ(form->lbMenu->selected()->index(), 3);
}

namespace {
bool Got(HWND w, UINT msg) {
    auto got = RecordingWindow::Received(w);
    return std::find(got.begin(), got.end(), msg) != got.end();
}
}  // namespace

TEST_F(MainWindowTest, RightButtonMessagesInsideTheBannerAreDropped) {
    Open();
    HWND page = doubles->WebWindow(), nested = doubles->WebInnerWindow();
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(IsChild(form->Web->handle(), nested));
    RightClick(page);
    RightClick(nested);
    PostMessageW(nested, WM_RBUTTONDBLCLK, MK_RBUTTON, 0);
    PostMessageW(nested, WM_LBUTTONDOWN, MK_LBUTTON, 0);  // other buttons pass
    Pump();
    EXPECT_FALSE(Got(page, WM_RBUTTONDOWN));
    EXPECT_FALSE(Got(page, WM_RBUTTONUP));
    EXPECT_FALSE(Got(nested, WM_RBUTTONDOWN));
    EXPECT_FALSE(Got(nested, WM_RBUTTONUP));
    EXPECT_FALSE(Got(nested, WM_RBUTTONDBLCLK));
    EXPECT_TRUE(Got(nested, WM_LBUTTONDOWN));
}

TEST_F(MainWindowTest, RightButtonMessagesOverThePlayerPass) {
    Open();
    HWND player = doubles->FlashWindow();
    ASSERT_NE(player, nullptr);
    RightClick(player);
    EXPECT_TRUE(Got(player, WM_RBUTTONDOWN));
    EXPECT_TRUE(Got(player, WM_RBUTTONUP));
}

TEST_F(MainWindowTest, TheFilterLeavesTheBannersOwnWindowAndOtherMessagesAlone) {
    Open();
    MSG own{form->Web->handle(), WM_RBUTTONDOWN, 0, 0, 0, {}};
    bool handled = false;
    form->ApplicationEvents1Message(own, handled);
    EXPECT_FALSE(handled);
    MSG key{doubles->WebInnerWindow(), WM_KEYDOWN, VK_APPS, 0, 0, {}};
    form->ApplicationEvents1Message(key, handled);
    EXPECT_FALSE(handled);
    MSG right{doubles->WebInnerWindow(), WM_RBUTTONUP, 0, 0, 0, {}};
    form->ApplicationEvents1Message(right, handled);
    EXPECT_TRUE(handled);
}
