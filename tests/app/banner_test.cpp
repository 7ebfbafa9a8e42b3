// The banner: its page and the scroll bars turned off on each completed document.
#include "app_fixture.h"


TEST_F(MainWindowTest, BannerIsAskedForItsPageOnceWithTheOptionalArgumentsOmitted) {
    Open();
    EXPECT_EQ(doubles->log.Count("Navigate=" + std::string("http://" BRIMBLO_CONTENT_HOST ":88/edu/info.htm")), 1);
    EXPECT_TRUE(doubles->log.navigateOptionalArgsOmitted);
}

TEST_F(MainWindowTest, EachCompletedDocumentTurnsTheScrollBarsOff) {
    Open();
    doubles->log.Clear();
    doubles->CompleteDocument();
    Pump();
    EXPECT_THAT(doubles->log.calls, ::testing::ElementsAre("Scroll=no"));
    doubles->CompleteDocument();
    doubles->CompleteDocument();
    Pump();
    EXPECT_EQ(doubles->log.Count("Scroll=no"), 3);
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, APageWithoutABodyReportsInvalidVariantOperationAndGoesOn) {
    Open();
    doubles->DropBody();
    doubles->CompleteDocument();
    Pump();
    EXPECT_THAT(errors, ::testing::ElementsAre("Invalid variant operation"));
    doubles->log.Clear();
    ClickLesson(2);
    EXPECT_THAT(doubles->log.calls, ::testing::ElementsAre("Movie=" + Address(2), "Play"));
}

TEST_F(MainWindowTest, BannerIs55PixelsHighAcrossTheWholeWidth) {
    Open();
    RECT banner{}, client{};
    GetWindowRect(form->Web->handle(), &banner);
    GetClientRect(form->handle(), &client);
    EXPECT_EQ(banner.bottom - banner.top, 55);
    EXPECT_EQ(banner.right - banner.left, client.right);
}
