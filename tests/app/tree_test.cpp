// The lesson tree: its entries, records and icons.
#include "app_fixture.h"

#include <set>


namespace {
// The 38 titles as the tree must show them, in lesson order.
const wchar_t* const kTitles[38] = {
    L"介绍宝宝的家", L"认识小朋友", L"早上宝宝起得早", L"宝宝学求助",
    L"宝宝学礼貌", L"宝宝学交通", L"宝宝学赔礼道歉", L"宝宝打招呼",
    L"欢迎和告别", L"宝宝讲卫生", L"坚强的宝宝摔跤了", L"宝宝遇到青蛙王子",
    L"宝宝长大的理想", L"宝宝帮人扶自行车", L"宝宝看星星", L"宝宝帮助老奶奶",
    L"宝宝照顾小豆豆", L"宝宝玩过家家", L"宝宝找东西", L"宝宝吃蛋糕",
    L"宝宝等公交车", L"宝宝图中找数字", L"宝宝和太阳公公", L"宝宝不怕打雷了",
    L"宝宝坐游戏车", L"宝宝遇到水獭", L"宝宝玩秋千", L"宝宝学刷牙",
    L"宝宝和机器人", L"宝宝和钢琴", L"宝宝认识钟表", L"宝宝学照像",
    L"宝宝分东西", L"宝宝认识埃及", L"宝宝认识中国", L"宝宝游太空",
    L"宝宝借东西", L"宝宝认识印度",
};

std::vector<HTREEITEM> TopLevel(HWND tree) {
    std::vector<HTREEITEM> items;
    auto h = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (int guard = 0; h && guard < 1000; ++guard) {
        items.push_back(h);
        h = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(h)));
    }
    return items;
}

// One pixel of an image list's image as the list draws it (with its mask) over a key
// colour: where the key shows through, the image is transparent.
struct ImagePixel {
    COLORREF colour;
    bool opaque;
};
constexpr COLORREF kKey = RGB(0, 255, 0);
ImagePixel PixelOf(HIMAGELIST list, int image, int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(dc, bmp);
    HBRUSH key = CreateSolidBrush(kKey);
    RECT all{0, 0, 32, 32};
    FillRect(dc, &all, key);
    ImageList_Draw(list, image, dc, 0, 0, ILD_TRANSPARENT);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(key);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return {c, c != kKey};
}

int OpaquePixels(HIMAGELIST list, int image) {
    int n = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) n += PixelOf(list, image, x, y).opaque;
    return n;
}

bool Yellow(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 150 && GetBValue(c) < 100; }
}  // namespace

TEST_F(MainWindowTest, TreeHolds38TopLevelEntriesWithTheTitlesInOrder) {
    Open();
    EXPECT_EQ(SendMessageW(Tree(), TVM_GETCOUNT, 0, 0), 38);
    auto items = TopLevel(Tree());
    ASSERT_EQ(items.size(), 38u);
    for (int k = 0; k < 38; ++k) {
        EXPECT_EQ(ItemText(items[k]), kTitles[k]) << k;
        EXPECT_EQ(SendMessageW(Tree(), TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(items[k])), 0) << k;
    }
}

TEST_F(MainWindowTest, EveryEntryCarriesItsLessonRecord) {
    Open();
    ASSERT_EQ(form->lbMenu->items().count(), 38);
    for (int k = 0; k < 38; ++k) {
        auto* record = static_cast<TChrObject*>(form->lbMenu->items().item(k)->data());
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->Index, k + 1);
        EXPECT_EQ(record->Sequence, k + 1);
        EXPECT_EQ(record->MovieUrl, Address(k + 1));
        EXPECT_TRUE(record->Extra.empty());
    }
}

TEST_F(MainWindowTest, ARefillGives38EntriesAgainWithNewRecords) {
    Open();
    std::set<TChrObject*> before;
    for (int k = 0; k < 38; ++k) before.insert(static_cast<TChrObject*>(form->lbMenu->items().item(k)->data()));
    form->BuildLessonTree();
    EXPECT_EQ(SendMessageW(Tree(), TVM_GETCOUNT, 0, 0), 38);
    ASSERT_EQ(form->lbMenu->items().count(), 38);
    for (int k = 0; k < 38; ++k) {
        auto* record = static_cast<TChrObject*>(form->lbMenu->items().item(k)->data());
        EXPECT_EQ(before.count(record), 0u) << k;
        EXPECT_EQ(record->Sequence, k + 1);
    }
}

TEST_F(MainWindowTest, BooksForEveryEntryUntilOneIsSelected) {
    Open();
    for (HTREEITEM h : TopLevel(Tree())) {
        TVITEMW it = Item(h);
        EXPECT_EQ(it.iImage, 1);
        EXPECT_EQ(it.iSelectedImage, 0);
        EXPECT_FALSE(it.state & TVIS_SELECTED);
    }
}

TEST_F(MainWindowTest, TheSelectedEntryShowsTheBearAndGivesItBackWhenLeft) {
    Open();
    auto items = TopLevel(Tree());
    ClickLesson(3);
    TVITEMW third = Item(items[2]);
    ASSERT_TRUE(third.state & TVIS_SELECTED);
    EXPECT_EQ(third.iSelectedImage, 0);
    ClickLesson(20);
    EXPECT_FALSE(Item(items[2]).state & TVIS_SELECTED);
    EXPECT_EQ(Item(items[2]).iImage, 1);
    TVITEMW twentieth = Item(items[19]);
    EXPECT_TRUE(twentieth.state & TVIS_SELECTED);
    EXPECT_EQ(twentieth.iSelectedImage, 0);
}

TEST_F(MainWindowTest, ImageZeroIsTheBearFaceAndImageOneTheBooks) {
    Open();
    HIMAGELIST list = reinterpret_cast<HIMAGELIST>(SendMessageW(Tree(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(ImageList_GetImageCount(list), 2);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    EXPECT_EQ(cx, 32);
    EXPECT_EQ(cy, 32);
    // The bear's forehead is yellow fur; the same spot of the books is the pink cover.
    ImagePixel fur = PixelOf(list, 0, 16, 12);
    EXPECT_TRUE(fur.opaque);
    EXPECT_TRUE(Yellow(fur.colour));
    ImagePixel cover = PixelOf(list, 1, 16, 12);
    EXPECT_TRUE(cover.opaque);
    EXPECT_FALSE(Yellow(cover.colour));
    EXPECT_GT(GetBValue(cover.colour), 120);
    // The bear sits on an almost wholly opaque tile; the books on a see-through ground.
    EXPECT_GT(OpaquePixels(list, 0), 1000);
    EXPECT_FALSE(PixelOf(list, 1, 0, 0).opaque);
    EXPECT_LT(OpaquePixels(list, 1), 900);
}

TEST_F(MainWindowTest, TreeSettingsAreTheStoredOnes) {
    Open();
    LONG style = GetWindowLongW(Tree(), GWL_STYLE);
    EXPECT_FALSE(style & TVS_LINESATROOT);
    EXPECT_FALSE(style & TVS_EDITLABELS);
    EXPECT_TRUE(style & TVS_FULLROWSELECT);
    EXPECT_TRUE(style & TVS_DISABLEDRAGDROP);
    EXPECT_EQ(form->lbMenu->indent(), 35);
    EXPECT_EQ(SendMessageW(Tree(), TVM_GETINDENT, 0, 0), 35);
    EXPECT_EQ(form->lbMenu->font().height(), -12);
    EXPECT_EQ(form->lbMenu->font().name(), "\xcb\xce\xcc\xe5");  // 宋体
    EXPECT_EQ(form->lbMenu->cursor(), ui::crHandPoint);
}
