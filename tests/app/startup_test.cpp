// Making and first showing the main window.
#include "app_fixture.h"

#include <cmath>

#include "app/core/caption.h"
#include "hosts/com/class_ids.h"
#include "hosts/com/registry.h"
#include "ui/text.h"

using ::testing::ElementsAre;

TEST_F(MainWindowTest, StartHandsLessonOneToThePlayerThenLoadsTheBanner) {
    Open();
    EXPECT_THAT(doubles->log.calls,
                ElementsAre("Movie=" + Address(1), "Play", "Navigate=" + std::string("http://" BRIMBLO_CONTENT_HOST ":88/edu/info.htm")));
    EXPECT_TRUE(doubles->log.navigateOptionalArgsOmitted);
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, LessonOneAddressEndsInItsFileName) {
    Open();
    ASSERT_FALSE(doubles->log.calls.empty());
    const std::string& first = doubles->log.calls.front();
    EXPECT_EQ(first.substr(first.size() - 13), "/edu/3/01.swf");
}

TEST_F(MainWindowTest, NoEntryIsSelectedByTheStart) {
    Open();
    EXPECT_EQ(form->lbMenu->selected(), nullptr);
    EXPECT_EQ(SendMessageW(Tree(), TVM_GETNEXTITEM, TVGN_CARET, 0), 0);
}

TEST_F(MainWindowTest, CaptionShowsTheChineseSeriesNameWhateverTheCodePage) {
    Open();
    wchar_t text[256] = {};
    GetWindowTextW(form->handle(), text, 255);
    std::wstring expected = L"Brimblo儿童英语 之 生活小故事系列 (" + ui::widen(BRIMBLO_WEBSITE) + L")";
    EXPECT_EQ(std::wstring(text), expected);
    EXPECT_EQ(form->caption(), MainCaption());
}

namespace {

// The pixels of one character drawn black on white with the caption's font.
std::vector<COLORREF> CaptionGlyph(wchar_t c) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    const int size = 32;
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT all{0, 0, size, size};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 2, 2, &c, 1);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

}  // namespace

// The caption's font has no Chinese glyphs of its own; linked to a Chinese face, as on a
// Chinese Windows, it draws the series name instead of the same empty box for each
// character.
TEST(CaptionFont, DrawsTheChineseCharactersOfTheTitle) {
    const std::vector<COLORREF> blank(32 * 32, RGB(255, 255, 255));
    const auto child = CaptionGlyph(L'儿'), english = CaptionGlyph(L'英'), story = CaptionGlyph(L'故');
    EXPECT_NE(child, blank);
    EXPECT_NE(child, english);
    EXPECT_NE(english, story);
}

TEST_F(MainWindowTest, WindowCoversTheWholeScreen) {
    Open();
    RECT r{};
    GetWindowRect(form->handle(), &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_FALSE(IsZoomed(form->handle()));
}

TEST_F(MainWindowTest, WindowCoversTheTestScreenOf1024By768) {
    if (GetSystemMetrics(SM_CXSCREEN) != 1024 || GetSystemMetrics(SM_CYSCREEN) != 768)
        GTEST_SKIP() << "the screen is not the test server's 1024 x 768";
    Open();
    RECT r{};
    GetWindowRect(form->handle(), &r);
    EXPECT_EQ(r.right - r.left, 1024);
    EXPECT_EQ(r.bottom - r.top, 768);
}

TEST_F(MainWindowTest, TheWindowMadeWhileTheFormIsReadTakesTheBoundsFormCreateSets) {
    // The frame skin asks for the window while the description is read, so FormCreate
    // sizes and places a window that already exists.
    // Another screen size, smaller than the test server's, so that the platform (which
    // keeps a real window within the real screen) has nothing to correct.
    app::systemMetric = [](int index) {
        if (index == SM_CXSCREEN) return 640;
        if (index == SM_CYSCREEN) return 480;
        return GetSystemMetrics(index);
    };
    form = new TfrmMain(&ui::application());
    ASSERT_TRUE(form->handleAllocated());
    HWND window = form->handle();
    EXPECT_FALSE(IsWindowVisible(window));  // made, not yet shown
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 640);
    EXPECT_EQ(r.bottom, 480);
    // Showing it shows this same window.
    ui::application().setMainForm(form);
    form->show();
    Pump();
    EXPECT_EQ(form->handle(), window);
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(MainWindowTest, NoMaximiseButtonButMinimiseAndSystemMenu) {
    Open();
    LONG style = GetWindowLongW(form->handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_HSCROLL);
    EXPECT_FALSE(style & WS_VSCROLL);
}

TEST_F(MainWindowTest, LayoutKeepsBannerTreeAndPlayerInPlace) {
    Open();
    RECT client{};
    GetClientRect(form->handle(), &client);
    EXPECT_EQ(form->Panel1->height(), 55);
    EXPECT_EQ(form->Panel1->width(), client.right);
    EXPECT_EQ(form->Panel1->top() + 55, client.bottom);
    EXPECT_EQ(form->lbMenu->left(), 0);
    EXPECT_EQ(form->lbMenu->width(), 153);
    EXPECT_EQ(form->lbMenu->height(), client.bottom - 55);
    EXPECT_EQ(form->Splitter1->left(), 153);
    EXPECT_EQ(form->Splitter1->width(), 3);
    EXPECT_EQ(form->pFlash->left(), 156);
    EXPECT_EQ(form->pFlash->left() + form->pFlash->width(), client.right);
    EXPECT_EQ(form->pFlash->height(), client.bottom - 55);
}

TEST_F(MainWindowTest, ComponentsAreMadeInTheStoredOrder) {
    Open();
    std::vector<std::string> names;
    for (ui::Component* c : form->components()) names.push_back(c->name());
    EXPECT_THAT(names, ElementsAre("Splitter1", "Panel1", "Web", "lbMenu", "pFlash", "Flash", "MainMenu1", "N2",
                                   "N3", "N5", "ApplicationEvents1", "ImageList1", "xpWindow1", "XPMenu1"));
}

TEST_F(MainWindowTest, TheMenuSkinDrawsTheMainMenu) {
    Open();
    TXPMenu* skin = form->XPMenu1;
    EXPECT_TRUE(skin->Active());
    EXPECT_TRUE(skin->AutoDetect());
    EXPECT_TRUE(skin->DrawMenuBar());
    EXPECT_EQ(skin->Font().name(), "Tahoma");
    EXPECT_TRUE(form->MainMenu1->ownerDraw());
    for (ui::MenuItem* item : {form->N2, form->N3, form->N5}) {
        EXPECT_TRUE(item->onDrawItem.isHandler(skin, "DrawMenuItem")) << item->name();
        EXPECT_TRUE(item->onMeasureItem.isHandler(skin, "MeasureMenuItem")) << item->name();
    }
    for (ui::MenuItem* command : {form->N3, form->N5}) {
        EXPECT_TRUE(command->onClick) << command->name();  // the commands keep their handlers
    }
    // The tree and the two panels are themed; the splitter and the components are not.
    EXPECT_NE(skin->RecordOf(form->lbMenu), nullptr);
    EXPECT_NE(skin->RecordOf(form->Panel1), nullptr);
    EXPECT_NE(skin->RecordOf(form->pFlash), nullptr);
    EXPECT_EQ(skin->RecordOf(form->Flash), nullptr);
    EXPECT_EQ(skin->RecordOf(form->Web), nullptr);
}

TEST_F(MainWindowTest, AMissingComponentClassEndsTheStartWithTheErrorReported) {
    hosts::com::unregisterClass(hosts::com::kMoviePlayerClsid);
    int result = ui::application().start([] { new TfrmMain(&ui::application()); });
    EXPECT_EQ(result, 1);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_FALSE(errors[0].empty());
    EXPECT_TRUE(doubles->log.calls.empty());
}

TEST_F(MainWindowTest, StoredSettingsOfTheWindowAndItsComponents) {
    Open();
    EXPECT_EQ(form->font().name(), "MS Sans Serif");
    EXPECT_EQ(form->font().height(), -11);
    EXPECT_EQ(form->color(), ui::clBtnFace);
    EXPECT_EQ(form->menu(), form->MainMenu1);
    EXPECT_FALSE(form->horzScrollBar().visible());
    EXPECT_FALSE(form->vertScrollBar().visible());
    EXPECT_EQ(form->Splitter1->cursor(), ui::crHSplit);
    EXPECT_EQ(form->Splitter1->align(), ui::Align::Left);
    EXPECT_EQ(form->Splitter1->minSize(), 30);
    EXPECT_TRUE(form->Splitter1->autoSnap());
    EXPECT_EQ(form->Panel1->bevelOuter(), ui::Bevel::None);
    EXPECT_EQ(form->pFlash->bevelOuter(), ui::Bevel::Raised);
    EXPECT_EQ(form->pFlash->bevelWidth(), 1);
    EXPECT_TRUE(form->MainMenu1->ownerDraw());
    EXPECT_EQ(form->ImageList1->width(), 32);
    EXPECT_EQ(form->ImageList1->height(), 32);
    // The player's stored start state: looping, whole movie shown, its own menu.
    EXPECT_EQ(form->Flash->wMode(), "Window");
    EXPECT_TRUE(form->Flash->playing());
    EXPECT_TRUE(form->Flash->loop());
    EXPECT_EQ(form->Flash->quality(), "High");
    EXPECT_EQ(form->Flash->scale(), "ShowAll");
    EXPECT_TRUE(form->Flash->menu());
    EXPECT_FALSE(form->Flash->deviceFont());
    EXPECT_FALSE(form->Flash->embedMovie());
    EXPECT_EQ(form->Flash->allowNetworking(), "all");
    EXPECT_EQ(form->Flash->allowFullScreen(), "false");
    EXPECT_EQ(form->Flash->extentX(), 734);
    EXPECT_EQ(form->Flash->extentY(), 551);
    // The banner starts blank: no start address.
    EXPECT_EQ(form->Web->extentX(), 892);
    EXPECT_EQ(form->Web->extentY(), 55);
    EXPECT_EQ(form->Web->locationUrl(), "");
}

TEST_F(MainWindowTest, AtTheDesignedDensityTheStoredLayoutStands) {
    HDC dc = GetDC(nullptr);
    ASSERT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    ReleaseDC(nullptr, dc);
    Open();
    EXPECT_EQ(form->lbMenu->width(), 153);
    EXPECT_EQ(form->Panel1->height(), 55);
    EXPECT_EQ(form->font().height(), -11);
    EXPECT_EQ(form->lbMenu->font().height(), -12);
}

TEST_F(MainWindowTest, OnADoubleDensityScreenTheLayoutGrowsWithTheTextHeight) {
    ui::Form::screenPixelsPerInch = [] { return 192; };
    Open();
    EXPECT_EQ(form->font().height(), -22);
    // The window font's text height on that screen, measured on a canvas.
    ui::Bitmap measure(8, 8);
    measure.canvas().font.assign(form->font());
    int th = measure.canvas().textHeight("Hg");
    ASSERT_GT(th, 13);
    auto scaled = [th](int length) { return static_cast<int>(std::lround(length * th / 13.0)); };
    EXPECT_EQ(form->lbMenu->width(), scaled(153));
    EXPECT_EQ(form->Panel1->height(), scaled(580 + 55) - scaled(580));
    EXPECT_EQ(form->lbMenu->font().height(), scaled(-12));
}
