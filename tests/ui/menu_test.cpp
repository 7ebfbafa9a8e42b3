// Menus: the Win32 menu built from the items, shortcuts, owner-drawn measuring and
// painting through the items' handlers, commands reaching the items.
#include <gtest/gtest.h>

#include "probe.h"

using namespace uitest;

TEST(Menus, BuildsTheMenuBarFromTheItems) {
  TestForm f;
  f.show();
  HMENU bar = GetMenu(f.handle());
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar, f.menu()->handle());
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_DATA | MIIM_ID;
  ASSERT_TRUE(GetMenuItemInfoW(bar, 0, TRUE, &mii));
  EXPECT_TRUE(mii.fType & MFT_OWNERDRAW);
  EXPECT_EQ(reinterpret_cast<ui::MenuItem*>(mii.dwItemData), f.find<ui::MenuItem>("N2"));
  ASSERT_NE(mii.hSubMenu, nullptr);
  EXPECT_EQ(GetMenuItemCount(mii.hSubMenu), 1);
  ASSERT_TRUE(GetMenuItemInfoW(bar, 1, TRUE, &mii));
  EXPECT_TRUE(mii.fState & MFS_CHECKED);
  EXPECT_EQ(mii.wID, f.find<ui::MenuItem>("N5")->command());
  // A change of an item rebuilds the menu.
  f.find<ui::MenuItem>("N5")->setEnabled(false);
  ASSERT_TRUE(GetMenuItemInfoW(bar, 1, TRUE, &mii));
  EXPECT_TRUE(mii.fState & MFS_GRAYED);
  f.menu()->setOwnerDraw(false);
  mii.fMask = MIIM_FTYPE | MIIM_STRING;
  wchar_t text[64] = {};
  mii.dwTypeData = text;
  mii.cch = 64;
  ASSERT_TRUE(GetMenuItemInfoW(bar, 1, TRUE, &mii));
  EXPECT_FALSE(mii.fType & MFT_OWNERDRAW);
  EXPECT_EQ(std::wstring(text), L"退出");
}

TEST(Menus, ShortcutTexts) {
  EXPECT_EQ(ui::shortCutToText(ui::scCtrl | 'S'), "Ctrl+S");
  EXPECT_EQ(ui::shortCutToText(VK_F1), "F1");
  EXPECT_EQ(ui::shortCutToText(ui::scShift | ui::scAlt | VK_DELETE), "Shift+Alt+Del");
  EXPECT_EQ(ui::shortCutToText(0), "");
  EXPECT_EQ(ui::textToShortCut("Ctrl+S"), ui::scCtrl | 'S');
  EXPECT_EQ(ui::textToShortCut("nonsense"), 0);
}

TEST(Menus, CommandsReachTheItem) {
  TestForm f;
  f.show();
  auto* n3 = f.find<ui::MenuItem>("N3");
  SendMessageW(f.handle(), WM_COMMAND, MAKEWPARAM(n3->command(), 0), 0);
  EXPECT_EQ(f.n3Clicks, 1);
  EXPECT_EQ(ui::Menu::findCommand(n3->command()), n3);
}

TEST(Menus, OwnerDrawGoesThroughTheItemHandlers) {
  TestForm f;
  f.show();
  auto* n3 = f.find<ui::MenuItem>("N3");
  int startW = -1, startH = -1;
  n3->onMeasureItem = ui::MenuMeasureEvent([&](ui::MenuItem*, ui::Canvas&, int& w, int& h) {
    startW = w;
    startH = h;
    w += 100;
    h = 30;
  });
  bool gotSelected = false;
  n3->onDrawItem = ui::MenuDrawEvent([&](ui::MenuItem*, ui::Canvas& c, RECT r, bool selected) {
    gotSelected = selected;
    c.brush.color = ui::clRed;
    c.fillRect(r);
  });
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemID = n3->command();
  mis.itemData = reinterpret_cast<ULONG_PTR>(n3);
  EXPECT_TRUE(SendMessageW(f.handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)));
  EXPECT_GT(startW, 0);  // the default measurement comes first
  EXPECT_GT(startH, 0);
  EXPECT_EQ(static_cast<int>(mis.itemWidth), startW + 100);
  EXPECT_EQ(mis.itemHeight, 30u);

  ui::Bitmap bmp(40, 20);
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_MENU;
  dis.itemID = n3->command();
  dis.itemState = ODS_SELECTED;
  dis.hDC = bmp.canvas().handle();
  dis.rcItem = RECT{5, 5, 30, 15};
  dis.itemData = reinterpret_cast<ULONG_PTR>(n3);
  EXPECT_TRUE(SendMessageW(f.handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)));
  EXPECT_TRUE(gotSelected);
  EXPECT_EQ(bmp.canvas().pixel(10, 10), RGB(255, 0, 0));
  EXPECT_EQ(bmp.canvas().pixel(2, 2), RGB(255, 255, 255));

  // Without handlers the framework paints the item itself: the selection colour.
  auto* n5 = f.find<ui::MenuItem>("N5");
  dis.itemData = reinterpret_cast<ULONG_PTR>(n5);
  dis.rcItem = RECT{0, 0, 40, 20};
  EXPECT_TRUE(SendMessageW(f.handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)));
  EXPECT_EQ(bmp.canvas().pixel(1, 1), GetSysColor(COLOR_HIGHLIGHT));
}

TEST(Menus, ItemsFollowTheirParentsAndFreeing) {
  ui::Component owner(nullptr);
  auto* menu = new ui::MainMenu(&owner);
  auto* a = new ui::MenuItem(&owner);
  auto* b = new ui::MenuItem(&owner);
  a->setCaption("a");
  b->setCaption("-");
  menu->items().add(a);
  a->add(b);
  EXPECT_EQ(b->menu(), menu);
  EXPECT_TRUE(b->isLine());
  EXPECT_EQ(a->parentComponent(), menu);
  EXPECT_EQ(b->parentComponent(), a);
  HMENU h = menu->handle();
  EXPECT_EQ(GetMenuItemCount(h), 1);
  delete b;
  EXPECT_EQ(a->count(), 0);
  EXPECT_EQ(a->handle(), nullptr);  // no sub-items, no pop-up
}

TEST(Menus, ItemStatesAndShortcutTextInThePlainMenu) {
  TestForm f;
  f.menu()->setOwnerDraw(false);
  auto* n2 = f.find<ui::MenuItem>("N2");
  auto* radio = ui::make<ui::MenuItem>(&f);
  radio->setCaption("radio");
  radio->setRadioItem(true);
  radio->setChecked(true);
  radio->setDefault(true);
  n2->add(radio);
  auto* hidden = ui::make<ui::MenuItem>(&f);
  hidden->setCaption("hidden");
  hidden->setVisible(false);
  n2->add(hidden);
  HMENU sub = n2->handle();
  ASSERT_NE(sub, nullptr);
  ASSERT_EQ(GetMenuItemCount(sub), 2);  // the hidden item is left out
  wchar_t text[64] = {};
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
  mii.dwTypeData = text;
  mii.cch = 64;
  ASSERT_TRUE(GetMenuItemInfoW(sub, 0, TRUE, &mii));
  EXPECT_EQ(std::wstring(text), L"Brimblo教育频道\tCtrl+S");
  mii.dwTypeData = text;
  mii.cch = 64;
  ASSERT_TRUE(GetMenuItemInfoW(sub, 1, TRUE, &mii));
  EXPECT_TRUE(mii.fType & MFT_RADIOCHECK);
  EXPECT_TRUE(mii.fState & MFS_CHECKED);
  EXPECT_TRUE(mii.fState & MFS_DEFAULT);
  EXPECT_EQ(radio->menuIndex(), 1);
  EXPECT_EQ(radio->menu(), f.menu());
}

TEST(Menus, SeparatorsMeasureAndDrawByDefault) {
  TestForm f;
  auto* sep = ui::make<ui::MenuItem>(&f);
  sep->setCaption("-");
  f.find<ui::MenuItem>("N2")->add(sep);
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemData = reinterpret_cast<ULONG_PTR>(sep);
  ASSERT_TRUE(ui::Menu::measureItem(mis));
  EXPECT_GT(mis.itemHeight, 0u);
  EXPECT_LT(mis.itemHeight, static_cast<UINT>(GetSystemMetrics(SM_CYMENU)));
  ui::Bitmap bmp(40, 10);
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_MENU;
  dis.hDC = bmp.canvas().handle();
  dis.rcItem = RECT{0, 0, 40, 10};
  dis.itemData = reinterpret_cast<ULONG_PTR>(sep);
  ASSERT_TRUE(ui::Menu::drawItem(dis));
  EXPECT_EQ(bmp.canvas().pixel(20, 5), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(bmp.canvas().pixel(20, 1), GetSysColor(COLOR_MENU));
  // A request for an item the framework does not know is left to others.
  mis.itemData = 12345;
  EXPECT_FALSE(ui::Menu::measureItem(mis));
}

TEST(Menus, ItemBitmapFromAResource) {
  TestForm f(nullptr, false);
  f.read("f: TForm {\n  m: TMainMenu {\n    a: TMenuItem {\n      Caption = \"a\"\n      Bitmap = @TICK\n"
         "      ImageIndex = 2\n      Default = True\n    }\n  }\n}\n");
  auto* a = f.find<ui::MenuItem>("a");
  EXPECT_EQ(a->bitmap().width(), 8);
  EXPECT_EQ(a->bitmap().height(), 8);
  EXPECT_EQ(a->bitmapResource(), "TICK");
  EXPECT_EQ(a->imageIndex(), 2);
  EXPECT_TRUE(a->isDefault());
  // The rows of the resource are bottom-up: the diagonal runs from bottom-left.
  EXPECT_EQ(a->bitmap().canvas().pixel(0, 7), RGB(255, 0, 0));
  EXPECT_EQ(a->bitmap().canvas().pixel(1, 7), RGB(255, 255, 255));
  EXPECT_EQ(a->bitmap().effectiveTransparentColor(), RGB(255, 0, 0));  // its bottom-left pixel
  std::string text = ui::writeComponent(f);
  EXPECT_NE(text.find("Bitmap = @TICK"), std::string::npos) << text;
  TestForm g(nullptr, false);
  EXPECT_THROW(g.read("f: TForm {\n  m: TMainMenu {\n    a: TMenuItem {\n      Bitmap = @NOPE\n    }\n  }\n}\n"),
               ui::Error);
}

TEST(Menus, RightToLeftIsTheMenusOwnReadingOrder) {
  TestForm f;
  ui::MainMenu* menu = f.menu();
  EXPECT_EQ(menu->biDiMode(), ui::BiDiMode::LeftToRight);
  EXPECT_FALSE(menu->isRightToLeft());
  HMENU bar = menu->handle();
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE | MIIM_SUBMENU;
  ASSERT_TRUE(GetMenuItemInfoW(bar, 0, TRUE, &mii));
  EXPECT_FALSE(mii.fType & MFT_RIGHTORDER);
  menu->setBiDiMode(ui::BiDiMode::RightToLeft);
  EXPECT_TRUE(menu->isRightToLeft());
  // Windows lays the items out right to left: bar items and their drop-down's items.
  ASSERT_TRUE(GetMenuItemInfoW(bar, 0, TRUE, &mii));
  EXPECT_TRUE(mii.fType & MFT_RIGHTORDER);
  EXPECT_TRUE(mii.fType & MFT_OWNERDRAW);
  ASSERT_NE(mii.hSubMenu, nullptr);
  ASSERT_TRUE(GetMenuItemInfoW(mii.hSubMenu, 0, TRUE, &mii));
  EXPECT_TRUE(mii.fType & MFT_RIGHTORDER);
  // Every right-to-left mode counts; it is stored with the menu.
  menu->setBiDiMode(ui::BiDiMode::RightToLeftReadingOnly);
  EXPECT_TRUE(menu->isRightToLeft());
  std::string text = ui::writeComponent(f);
  EXPECT_NE(text.find("BiDiMode = bdRightToLeftReadingOnly"), std::string::npos) << text;
  TestForm g(nullptr, false);
  g.read("g: TForm {\n  M: TPopupMenu {\n    BiDiMode = bdRightToLeft\n    A: TMenuItem {\n      Caption = \"a\"\n    }\n  }\n}\n");
  EXPECT_TRUE(g.find<ui::PopupMenu>("M")->isRightToLeft());
  menu->setBiDiMode(ui::BiDiMode::LeftToRight);
  mii.fMask = MIIM_FTYPE;
  ASSERT_TRUE(GetMenuItemInfoW(bar, 0, TRUE, &mii));
  EXPECT_FALSE(mii.fType & MFT_RIGHTORDER);
  EXPECT_EQ(ui::writeComponent(f).find("BiDiMode"), std::string::npos);
}
