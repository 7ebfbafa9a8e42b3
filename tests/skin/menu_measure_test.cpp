// Measuring menu items with the skin: sizes computed from text measured in the skin's
// font on the running system.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "skin/menu/xp_menu.h"
#include "ui/ui.h"

namespace {

struct MeasureFixture : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<ui::Form>(nullptr);
    menu = new ui::MainMenu(form.get());
    bar = new ui::MenuItem(form.get());
    bar->setCaption("File");
    menu->items().add(bar);
    item = new ui::MenuItem(form.get());
    item->setCaption("Open");
    bar->add(item);
    skin = new TXPMenu(form.get());
    skin->SetActive(true);
    dc = GetDC(nullptr);
    canvas = std::make_unique<ui::Canvas>(dc);
    canvas->font.assign(skin->Font());
  }
  void TearDown() override {
    canvas.reset();
    ReleaseDC(nullptr, dc);
  }
  SIZE measure(ui::MenuItem* i, int w = 0, int h = 0) {
    skin->MeasureMenuItem(i, *canvas, w, h);
    return SIZE{w, h};
  }
  int textWidth(const std::string& s) { return canvas->textWidth(s); }
  int expectedHeight(const std::string& s) {
    int th = canvas->textHeight(s);
    return th + static_cast<int>(std::nearbyint(th * 0.75));
  }
  std::unique_ptr<ui::Form> form;
  ui::MainMenu* menu;
  ui::MenuItem *bar, *item;
  TXPMenu* skin;
  HDC dc;
  std::unique_ptr<ui::Canvas> canvas;
};

}  // namespace

TEST_F(MeasureFixture, PopupItemsReserveTheIconColumn) {
  EXPECT_FALSE(TXPMenu::IsBarItem(item));
  SIZE s = measure(item);
  EXPECT_EQ(s.cx, textWidth("Open") + 5 + 24);
  EXPECT_EQ(s.cy, std::max(expectedHeight("Open"), 6));  // no image: 0 + 6 at least
  // The default measurement is a minimum.
  EXPECT_EQ(measure(item, 500, 90).cx, 500);
  EXPECT_EQ(measure(item, 500, 90).cy, 90);
}

TEST_F(MeasureFixture, BarItemsNeedOnlyTheirText) {
  EXPECT_TRUE(TXPMenu::IsBarItem(bar));
  EXPECT_EQ(measure(bar).cx, textWidth("File") + 5);  // no arrow room for a bar item with sub-items
}

TEST_F(MeasureFixture, SubMenusShortcutsAndAmpersands) {
  auto* sub = new ui::MenuItem(form.get());
  item->add(sub);
  EXPECT_EQ(measure(item).cx, textWidth("Open") + 5 + 6 + 24);
  sub->setShortCut(ui::scCtrl | 'S');
  EXPECT_EQ(measure(sub).cx, textWidth("Ctrl+SWWW") + 5 + 24);
  sub->setShortCut(0);
  sub->setCaption("&Save && &Quit");
  EXPECT_EQ(measure(sub).cx, textWidth("&Save && &Quit") + 5 - textWidth("&") + 24);
}

TEST_F(MeasureFixture, SeparatorsAreFourPixelsHigh) {
  auto* line = new ui::MenuItem(form.get());
  line->setCaption("-");
  bar->add(line);
  EXPECT_EQ(measure(line, 0, 30).cy, 4);
}

TEST_F(MeasureFixture, NothingWhileInactive) {
  skin->SetActive(false);
  EXPECT_EQ(measure(item, 7, 8).cx, 7);
  EXPECT_EQ(measure(item, 7, 8).cy, 8);
}

TEST_F(MeasureFixture, ItemsMakeRoomForTheirImages) {
  item->bitmap().setSize(32, 30);  // wider than the icon column
  SIZE s = measure(item);
  EXPECT_EQ(s.cx, textWidth("Open") + 5 + 32);
  EXPECT_EQ(s.cy, std::max(expectedHeight("Open"), 30 + 6));
  bar->bitmap().setSize(16, 16);  // a bar item takes its image's own width
  EXPECT_EQ(measure(bar).cx, textWidth("File") + 5 + 16);
}
