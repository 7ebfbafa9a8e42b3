// Painting menu items with the skin under Wine: items are drawn onto a bitmap (or shown
// in real menus) and their pixels read back. Expected colours come from the skin's own
// palette, computed from the running system's colours; expected text is drawn by the
// test with the system's own text drawing in the skin's font.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "skin/menu/menu_colors.h"
#include "main_window_skin.h"
#include "skin/menu/xp_menu.h"
#include "ui/ui.h"

using xpmenu::Rgb;

namespace {

constexpr COLORREF kUntouched = RGB(1, 2, 3);  // what the target holds before an item is drawn

struct PaintFixture : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(40, 40, 320, 200);
    menu = new ui::MainMenu(form.get());
    form->setMenu(menu);
    bar = add(&menu->items(), "File");
    item = add(bar, "Open");
    skin = MakeMainWindowSkin(form.get());
    target.setSize(200, 40);
  }
  ui::MenuItem* add(ui::MenuItem* parent, const char* caption) {
    auto* i = new ui::MenuItem(form.get());
    i->setCaption(caption);
    parent->add(i);
    return i;
  }
  // Draws an item into the target (cleared first) and returns the palette it used.
  const xpmenu::EffectivePalette& draw(ui::MenuItem* i, RECT r, bool selected) {
    ui::Canvas& c = target.canvas();
    c.brush.style = ui::BrushStyle::Solid;
    c.brush.color = static_cast<ui::TColor>(kUntouched);
    c.fillRect(RECT{0, 0, target.width(), target.height()});
    skin->DrawMenuItem(i, c, r, selected);
    return skin->EffectivePalette();
  }
  COLORREF at(int x, int y) { return target.canvas().pixel(x, y); }

  // The caption as the system draws it in the skin's font: background, then " caption"
  // at the text rectangle's left + 3 (right - 3 right to left), centred on a "W";
  // compared inside `compared` (default: the text rectangle, at most the target's item rows).
  void expectCaption(ui::MenuItem* i, RECT textRect, Rgb background, Rgb color, bool rtl = false,
                     RECT compared = RECT{}) {
    if (IsRectEmpty(&compared)) compared = textRect;
    ui::Bitmap ref(target.width(), target.height());
    ui::Canvas& c = ref.canvas();
    c.brush.style = ui::BrushStyle::Solid;
    c.brush.color = static_cast<ui::TColor>(background);
    c.fillRect(textRect);
    c.font.assign(skin->Font());
    c.font.setColor(static_cast<ui::TColor>(color));
    int letter = c.textHeight("W");
    RECT r = textRect;
    if (rtl)
      r.right -= 3;
    else
      r.left += 3;
    r.top += (r.bottom - r.top - letter) / 2;
    c.brush.style = ui::BrushStyle::Clear;
    c.setTransparentText(true);
    c.drawText(" " + i->caption(), r, (rtl ? DT_RIGHT | DT_RTLREADING : DT_LEFT) | DT_EXPANDTABS);
    int differences = 0, inked = 0;
    for (int y = compared.top; y < std::min<LONG>(compared.bottom, itemRows); ++y)
      for (int x = compared.left; x < compared.right; ++x) {
        if (ref.canvas().pixel(x, y) != at(x, y)) ++differences;
        if (at(x, y) != background) ++inked;
      }
    EXPECT_EQ(differences, 0) << "caption " << i->caption();
    EXPECT_GT(inked, 10) << "caption " << i->caption() << " left no ink";
  }

  std::unique_ptr<ui::Form> form;
  ui::MainMenu* menu;
  ui::MenuItem *bar, *item;
  TXPMenu* skin;
  ui::Bitmap target;
  int itemRows = 22;  // the rows the items below cover
};

// A pop-up item at (10, 0, 150, 22): its bitmap covers (6, 0, 150, 22); W, the icon
// column and the text rectangle sit 6 pixels right of their bitmap coordinates, and
// reach one row below the item.
const RECT kPopup{10, 0, 150, 22};
const RECT kPopupText{6 + 28, 0, 150, 23};

}  // namespace

TEST_F(PaintFixture, PopupItemAtRest) {
  const auto& p = draw(item, kPopup, false);
  EXPECT_EQ(at(5, 10), kUntouched);      // nothing left of the four extra columns
  EXPECT_EQ(at(150, 10), kUntouched);    // nor right of the item
  EXPECT_EQ(at(10, 22), kUntouched);     // nor below it
  for (int x = 6; x < 10; ++x) EXPECT_EQ(at(x, 10), p.MenuFace) << x;  // the extra columns
  for (int x = 10; x < 34; ++x) EXPECT_EQ(at(x, 10), p.IconFace) << x;  // the icon column
  EXPECT_EQ(at(34, 1), p.MenuFace);
  expectCaption(item, kPopupText, p.MenuFace, ui::colorToRGB(skin->Font().color()));
}

TEST_F(PaintFixture, PaletteFollowsTheSystemColours) {
  const auto& p = draw(item, kPopup, false);
  EXPECT_EQ(p.MenuFace, xpmenu::LightenColor(GetSysColor(COLOR_BTNFACE), 86));
  EXPECT_EQ(p.IconFace, xpmenu::LightenColor(GetSysColor(COLOR_BTNFACE), 16));
  EXPECT_EQ(p.SelectFace, xpmenu::LightenColor(GetSysColor(COLOR_HIGHLIGHT), 68));
  EXPECT_NE(p.MenuFace, p.IconFace);  // otherwise the tests below could not tell them apart
}

TEST_F(PaintFixture, SelectedPopupItemHasAnOutlinedBar) {
  const auto& p = draw(item, kPopup, true);
  for (int x = 6; x < 10; ++x) EXPECT_EQ(at(x, 10), p.MenuFace) << x;
  EXPECT_EQ(at(10, 0), p.IconFace);  // W shrinks by one row at the top
  EXPECT_EQ(at(40, 0), p.MenuFace);
  EXPECT_EQ(at(10, 1), p.SelectEdge);
  EXPECT_EQ(at(80, 1), p.SelectEdge);
  EXPECT_EQ(at(149, 10), p.SelectEdge);
  EXPECT_EQ(at(10, 10), p.SelectEdge);
  EXPECT_EQ(at(60, 21), p.SelectEdge);  // the last row of the item
  EXPECT_EQ(at(15, 10), p.SelectFace);
  expectCaption(item, kPopupText, p.SelectFace, p.SelectText, false, RECT{35, 2, 148, 21});
}

TEST_F(PaintFixture, FlatMenusLeaveTheLastColumnOfTheSelection) {
  skin->SetFlatMenu(true);
  const auto& p = draw(item, kPopup, true);
  EXPECT_EQ(at(148, 10), p.SelectEdge);
  EXPECT_EQ(at(149, 10), p.MenuFace);
}

TEST_F(PaintFixture, CheckedItemWithoutIconShowsATickInACentredBox) {
  item->setChecked(true);
  const auto& p = draw(item, kPopup, false);
  // The column (10, 0, 34, 23): a 10 by 10 box at (17, 6).
  EXPECT_EQ(at(17, 6), p.CheckEdge);
  EXPECT_EQ(at(26, 15), p.CheckEdge);
  EXPECT_EQ(at(16, 6), p.IconFace);
  EXPECT_EQ(at(19, 8), p.CheckFace);
  EXPECT_EQ(at(18, 11), xpmenu::kBlack);  // the short stroke
  EXPECT_EQ(at(28, 6), xpmenu::kBlack);   // the long stroke leaves the box
  const auto& s = draw(item, kPopup, true);
  EXPECT_EQ(at(19, 8), s.CheckFaceSelected);
}

TEST_F(PaintFixture, CheckedRadioItemWithoutIconShowsADot) {
  item->setRadioItem(true);
  item->setChecked(true);
  const auto& p = draw(item, kPopup, false);
  EXPECT_EQ(at(22, 11), p.SelectEdge);  // the dot in the pen colour
  EXPECT_EQ(at(17, 6), p.IconFace);     // the box's corner lies outside the circle
  EXPECT_EQ(at(22, 6), p.SelectEdge);   // the circle's top
  EXPECT_EQ(at(22, 7), p.CheckFace);
}

TEST_F(PaintFixture, UncheckedRadioItemShowsNothing) {
  item->setRadioItem(true);
  const auto& p = draw(item, kPopup, false);
  for (int x = 10; x < 34; ++x) EXPECT_EQ(at(x, 11), p.IconFace) << x;
}

TEST_F(PaintFixture, DisabledSelectedItemGetsNoBarAndDisabledText) {
  item->setEnabled(false);
  const auto& p = draw(item, kPopup, true);
  EXPECT_EQ(at(15, 10), p.IconFace);
  EXPECT_EQ(at(80, 1), p.MenuFace);
  expectCaption(item, kPopupText, p.MenuFace, p.DisabledText);
}

TEST_F(PaintFixture, DefaultItemHasASoftBoldShadow) {
  item->setDefault(true);
  const auto& p = draw(item, kPopup, false);
  ui::Bitmap ref(target.width(), target.height());
  ui::Canvas& c = ref.canvas();
  c.brush.color = static_cast<ui::TColor>(p.MenuFace);
  c.fillRect(kPopupText);
  c.font.assign(skin->Font());
  c.brush.style = ui::BrushStyle::Clear;
  c.setTransparentText(true);
  RECT r = kPopupText;
  r.left += 3;
  r.top += (r.bottom - r.top - c.textHeight("W")) / 2;
  struct Copy { int dx, dy, grow, amount; };
  for (Copy k : {Copy{1, 0, 0, 30}, Copy{1, 2, 1, 30}, Copy{0, 1, 0, 40}, Copy{1, 1, 1, 60}}) {
    RECT s{r.left + k.dx, r.top + k.dy, r.right + k.dx + k.grow, r.bottom + k.dy};
    c.font.setColor(static_cast<ui::TColor>(xpmenu::DarkenMenuColor(c.pixel(s.left, s.top), k.amount)));
    c.drawText(" Open", s, DT_LEFT | DT_EXPANDTABS);
  }
  c.font.setColor(skin->Font().color());
  c.drawText(" Open", r, DT_LEFT | DT_EXPANDTABS);
  int differences = 0;
  for (int y = 0; y < 22; ++y)
    for (int x = 34; x < 150; ++x) differences += ref.canvas().pixel(x, y) != at(x, y);
  EXPECT_EQ(differences, 0);
}

TEST_F(PaintFixture, ShortcutIsDrawnRightAlignedTenPixelsIn) {
  item->setShortCut(ui::scCtrl | 'O');
  const auto& p = draw(item, kPopup, false);
  int rightmostInk = 0;
  for (int y = 0; y < 22; ++y)
    for (int x = 34; x < 150; ++x)
      if (at(x, y) != p.MenuFace) rightmostInk = std::max(rightmostInk, x);
  ui::Canvas& c = target.canvas();
  c.font.assign(skin->Font());
  int space = c.textWidth(" ");
  EXPECT_LE(rightmostInk, 150 - 10 - space);
  EXPECT_GT(rightmostInk, 150 - 10 - space - c.textWidth("O"));
}

TEST_F(PaintFixture, SeparatorIsOneLineThroughTheMiddle) {
  ui::MenuItem* line = add(bar, "-");
  const auto& p = draw(line, RECT{10, 0, 150, 4}, false);
  // W (4, 0, 144, 5): the line at 0 + Round(5 / 2) = 2, from 28 + 7 to the end.
  EXPECT_EQ(at(40, 2), p.MenuFace);
  for (int x = 41; x < 150; ++x) EXPECT_EQ(at(x, 2), p.SeparatorLine) << x;
  EXPECT_EQ(at(60, 1), p.MenuFace);
  EXPECT_EQ(at(60, 3), p.MenuFace);
}

TEST_F(PaintFixture, ItemBitmapIsDimmedAtRestAndLiftedWithAShadowWhenSelected) {
  ui::Bitmap& b = item->bitmap();
  b.setSize(16, 16);  // white, with a red square at (4, 4)-(12, 12)
  b.canvas().brush.color = ui::clRed;
  b.canvas().fillRect(RECT{4, 4, 12, 12});
  const auto& p = draw(item, kPopup, false);
  // Narrower than the column: x = 4 + (24 - 16) / 2 - 1 = 7 in the bitmap, 13 here; y = 3.
  EXPECT_EQ(at(13 + 4, 3 + 4), xpmenu::LightenColor(RGB(255, 0, 0), skin->DimLevel()));
  EXPECT_EQ(at(13 + 11, 3 + 11), xpmenu::LightenColor(RGB(255, 0, 0), skin->DimLevel()));
  EXPECT_EQ(at(13 + 12, 3 + 4), p.IconFace);  // the white background is transparent
  const auto& s = draw(item, kPopup, true);
  EXPECT_EQ(at(12 + 4, 2 + 4), RGB(255, 0, 0));  // lifted by one up and left, not dimmed
  Rgb shadow = xpmenu::DarkenMenuColor(s.SelectFace, 50);
  EXPECT_EQ(at(12 + 11 + 2, 2 + 11 + 2), shadow);
  EXPECT_EQ(at(12 + 12 + 2, 2 + 11 + 2), s.SelectFace);
}

TEST_F(PaintFixture, DisabledItemBitmapIsGreyed) {
  ui::Bitmap& b = item->bitmap();
  b.setSize(16, 16);
  b.canvas().brush.color = ui::clRed;
  b.canvas().fillRect(RECT{4, 4, 12, 12});
  item->setEnabled(false);
  draw(item, kPopup, false);
  Rgb grey = xpmenu::LightenColor(xpmenu::GreyColor(RGB(255, 0, 0), skin->GrayLevel()), 40);
  EXPECT_EQ(at(13 + 4, 3 + 4), grey);
}

TEST_F(PaintFixture, CheckedItemWithIconShowsAFilledFrame) {
  ui::Bitmap& b = item->bitmap();
  b.setSize(16, 16);
  b.canvas().brush.color = ui::clRed;
  b.canvas().fillRect(RECT{4, 4, 12, 12});
  item->setChecked(true);
  const auto& p = draw(item, kPopup, false);
  // CR is the column shrunk to (11, 2, 31, 21) here, outlined in SelectEdge.
  EXPECT_EQ(at(11, 2), p.SelectEdge);
  EXPECT_EQ(at(30, 20), p.SelectEdge);
  EXPECT_EQ(at(12, 10), p.CheckFace);
  EXPECT_EQ(at(13 + 4, 3 + 4), RGB(255, 0, 0));  // a checked item's icon is not dimmed
}

TEST_F(PaintFixture, RightToLeftPopupMirrorsColumnAndText) {
  menu->setBiDiMode(ui::BiDiMode::RightToLeft);
  const auto& p = draw(item, kPopup, false);
  for (int x = 126; x < 150; ++x) EXPECT_EQ(at(x, 10), p.IconFace) << x;
  for (int x = 6; x < 10; ++x) EXPECT_EQ(at(x, 10), p.MenuFace) << x;
  expectCaption(item, RECT{10, 0, 126, 23}, p.MenuFace, ui::colorToRGB(skin->Font().color()), true);
}

TEST_F(PaintFixture, GradientLightensTheColumnsAwayFromTheIcon) {
  skin->SetGradient(true);
  const auto& p = draw(item, kPopup, false);
  EXPECT_EQ(at(10, 20), xpmenu::LightenColor(p.IconFace, 1));
  EXPECT_EQ(at(11, 20), xpmenu::LightenColor(p.IconFace, 4));
  EXPECT_EQ(at(140, 20), xpmenu::LightenColor(p.IconFace, 96));
}

// ----- bar items: (40, 0, 90, 18) is W (0, 0, 50, 18) copied to (40, 0) -----

namespace {
const RECT kBar{40, 0, 90, 18};
}

TEST_F(PaintFixture, BarItemAtRestOnTheBarFace) {
  SetCursorPos(0, 0);
  const auto& p = draw(bar, kBar, false);
  EXPECT_EQ(at(39, 5), kUntouched);
  EXPECT_EQ(at(90, 5), kUntouched);
  EXPECT_EQ(at(40, 17), p.BarFace);
  EXPECT_EQ(at(40, 18), kUntouched);
  expectCaption(bar, kBar, p.BarFace, ui::colorToRGB(skin->Font().color()));
}

TEST_F(PaintFixture, SelectedBarItemIsRaisedWithAShadedRightEdge) {
  const auto& p = draw(bar, kBar, true);
  auto d = [&](int amount) { return xpmenu::DarkenMenuColor(p.BarFace, amount); };
  const Rgb B = p.BarFace, a = d(10), b = d(30), c = d(40), e = d(60), f = d(100);
  // Columns r - 7 .. r - 1 (83 .. 89), rows 0 .. 9, worked out by hand from the fills
  // and lines (whose end points are not painted).
  const Rgb expected[10][7] = {
      {a, a, a, a, a, a, a}, {a, a, B, B, B, B, B}, {a, a, a, a, B, B, B}, {b, a, a, a, a, B, B},
      {b, b, b, a, a, a, B}, {e, c, b, b, a, a, B}, {f, c, e, b, a, a, a}, {f, f, e, b, b, a, a},
      {f, f, e, b, b, a, a}, {f, f, e, e, b, a, a}};
  for (int row = 0; row < 10; ++row)
    for (int col = 0; col < 7; ++col) EXPECT_EQ(at(83 + col, row), expected[row][col]) << col << "," << row;
  for (int y = 0; y < 18; ++y) EXPECT_EQ(at(82, y), p.SelectEdge) << y;  // the outline's right side
  for (int y = 0; y < 18; ++y) EXPECT_EQ(at(40, y), p.SelectEdge) << y;
  for (int x = 40; x < 82; ++x) EXPECT_EQ(at(x, 0), p.SelectEdge) << x;
  EXPECT_EQ(at(41, 17), p.SelectFace);  // open at the bottom
  Rgb text = skin->ContrastTextColor(static_cast<ui::TColor>(p.IconFace));
  expectCaption(bar, kBar, p.SelectFace, text, false, RECT{41, 1, 82, 18});
}

TEST_F(PaintFixture, RightToLeftBarSelectionIsPlain) {
  menu->setBiDiMode(ui::BiDiMode::RightToLeft);
  const auto& p = draw(bar, kBar, true);
  Rgb dark = xpmenu::DarkenMenuColor(ui::colorToRGB(skin->MenuBarColor()), 70);
  EXPECT_EQ(at(87, 5), p.SelectEdge);   // the outline at r - 3
  EXPECT_EQ(at(88, 5), dark);
  EXPECT_EQ(at(89, 17), dark);
  EXPECT_EQ(at(88, 1), ui::colorToRGB(skin->MenuBarColor()));
  EXPECT_EQ(at(86, 5), p.SelectFace);
}

TEST_F(PaintFixture, BarItemUnderTheCursorIsHighlighted) {
  if (!skin->IsNT()) GTEST_SKIP() << "the hover rule is for the NT family";
  RECT wr{};
  GetWindowRect(form->handle(), &wr);
  ASSERT_TRUE(SetCursorPos(wr.left + 60, wr.top + 5));
  POINT pt{};
  GetCursorPos(&pt);
  ASSERT_EQ(pt.x, wr.left + 60) << "the cursor cannot be moved here";
  const auto& p = draw(bar, kBar, false);
  EXPECT_EQ(at(40, 5), p.SelectEdge);
  EXPECT_EQ(at(82, 5), p.SelectEdge);   // the rectangle ends at W.Right - 7
  EXPECT_EQ(at(41, 1), p.SelectFace);
  EXPECT_EQ(at(84, 1), p.BarFace);
  ASSERT_TRUE(SetCursorPos(wr.left + 60, wr.top + 17));  // B - 1 is outside the test
  draw(bar, kBar, false);
  EXPECT_EQ(at(41, 1), p.BarFace);
  bar->setEnabled(false);
  SetCursorPos(wr.left + 60, wr.top + 5);
  draw(bar, kBar, false);
  EXPECT_EQ(at(41, 1), p.BarFace);  // disabled bar items do not light up
  SetCursorPos(0, 0);
}

TEST_F(PaintFixture, BarFaceTakesTheMenuBarColourWhenTheSkinDrawsTheBar) {
  // With the system colours the palette's bar face is the button face; the bar drawn
  // by the skin takes the menu bar colour over it.
  skin->SetMenuBarColor(static_cast<ui::TColor>(RGB(10, 120, 30)));
  draw(bar, kBar, false);
  EXPECT_EQ(at(40, 17), RGB(10, 120, 30));
  EXPECT_EQ(skin->EffectivePalette().BarFace, RGB(10, 120, 30));
  skin->SetDrawMenuBar(false);
  skin->SetMenuBarColor(static_cast<ui::TColor>(RGB(10, 120, 31)));  // recomputed at the next item
  draw(bar, kBar, false);
  EXPECT_EQ(at(40, 17), GetSysColor(COLOR_BTNFACE));
}

TEST_F(PaintFixture, NothingWhileInactive) {
  skin->SetActive(false);
  draw(item, kPopup, false);
  EXPECT_EQ(at(60, 10), kUntouched);
}

TEST_F(PaintFixture, ImageListImageReplacesTheItemBitmap) {
  auto* images = new ui::ImageList(form.get());
  images->setWidth(16);
  images->setHeight(16);
  // White (the mask colour) with a blue square; not selected into any context when added.
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP picture = CreateCompatibleBitmap(screen, 16, 16);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, picture);
  RECT all{0, 0, 16, 16}, square{2, 2, 14, 14};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  FillRect(dc, &square, blue);
  DeleteObject(blue);
  SelectObject(dc, old);
  DeleteDC(dc);
  images->addMasked(picture, ui::clWhite);
  DeleteObject(picture);
  menu->setImages(images);
  item->bitmap().setSize(16, 16);
  item->bitmap().canvas().brush.color = ui::clRed;
  item->bitmap().canvas().fillRect(RECT{0, 0, 16, 16});
  item->setImageIndex(0);
  const auto& p = draw(item, kPopup, true);  // selected: the icon is neither dimmed nor greyed
  EXPECT_EQ(at(12 + 2, 2 + 2), RGB(0, 0, 255));
  EXPECT_EQ(at(12 + 13, 2 + 13), RGB(0, 0, 255));
  EXPECT_EQ(at(12 + 1, 2 + 1), p.SelectFace);  // masked out
}

TEST_F(PaintFixture, CheckedRadioItemWithIconShowsARoundedFrame) {
  item->bitmap().setSize(16, 16);
  item->setRadioItem(true);
  item->setChecked(true);
  const auto& p = draw(item, kPopup, false);
  // CR (11, 2, 31, 21) here: its corners are cut by the 6 by 6 rounding.
  EXPECT_NE(at(11, 2), p.SelectEdge);
  EXPECT_EQ(at(20, 2), p.SelectEdge);
  EXPECT_EQ(at(11, 10), p.SelectEdge);
  EXPECT_EQ(at(12, 10), p.CheckFace);
}
