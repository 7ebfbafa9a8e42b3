// Errors: those escaping a handler go to the error box and the window goes on; those
// while the window is made or first shown end the start.
#include "app_fixture.h"

#include "ui/text.h"

using ::testing::ElementsAre;

TEST_F(MainWindowTest, APlayerRefusingAMovieShowsItsOwnDescriptionAndTheWindowGoesOn) {
    Open();
    doubles->RefuseMovies(L"播放器不能打开这个地址");
    ClickLesson(5);
    EXPECT_THAT(errors, ElementsAre(ui::narrow(L"播放器不能打开这个地址")));
    doubles->RefuseMovies(L"");
    doubles->log.Clear();
    ClickLesson(6);
    EXPECT_THAT(doubles->log.calls, ElementsAre("Movie=" + Address(6), "Play"));
}

TEST_F(MainWindowTest, ADocumentWithoutBodyReportsTheMissingMember) {
    Open();
    doubles->UseDocumentWithoutBody();
    doubles->CompleteDocument();
    Pump();
    EXPECT_THAT(errors, ElementsAre("Method 'Body' not supported by automation object"));
}

TEST_F(MainWindowTest, AnErrorWhileFirstShownEndsTheStartWithTheErrorReported) {
    int result = ui::application().start([this] {
        auto* made = new TfrmMain(&ui::application());
        if (!ui::application().mainForm()) ui::application().setMainForm(made);
        doubles->RefuseMovies(L"no movie today");
    });
    EXPECT_EQ(result, 1);
    EXPECT_THAT(errors, ElementsAre("no movie today"));
    EXPECT_EQ(doubles->log.Count("Play"), 0);
}

TEST_F(MainWindowTest, TheWindowShowsTheProgramIcon) {
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
    ASSERT_NE(icon, nullptr);
    ui::application().setIcon(icon);
    Open();
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(form->handle(), WM_GETICON, ICON_BIG, 0)), icon);
    ui::application().setIcon(nullptr);
}

TEST(ProgramIcon, IsOne32By32ImageIn256Colours) {
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC group = FindResourceW(self, L"MAINICON", MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(self, group)));
    ASSERT_NE(bytes, nullptr);
    // GRPICONDIR: reserved, type, count; then 14-byte entries.
    EXPECT_EQ(bytes[2] | bytes[3] << 8, 1);
    EXPECT_EQ(bytes[4] | bytes[5] << 8, 1);
    const BYTE* entry = bytes + 6;
    EXPECT_EQ(entry[0], 32);
    EXPECT_EQ(entry[1], 32);
    EXPECT_EQ(entry[6] | entry[7] << 8, 8);  // bits per pixel
}
