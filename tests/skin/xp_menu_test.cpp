// The menu skin component under Wine: its stored settings, the palette it computes,
// how it attaches to menus and controls and lets go again, and the process-wide
// manager that spreads the control theming to forms without a skin.
#include <gtest/gtest.h>

#include <memory>

#include "skin/menu/control_subclass.h"
#include "skin/menu/menu_manager.h"
#include "skin/menu/xp_menu.h"
#include "test_controls.h"
#include "ui/ui.h"

using namespace xpmenu;

namespace {

const char kSkinForm[] = R"(f: TForm {
  Left = 20
  Top = 20
  Width = 400
  Height = 300
  Menu = MainMenu1
  lbMenu: TTreeView {
    Left = 0
    Top = 0
    Width = 120
    Height = 200
  }
  Panel1: TPanel {
    Left = 130
    Top = 0
    Width = 200
    Height = 100
  }
  MainMenu1: TMainMenu {
    OwnerDraw = True
    N2: TMenuItem {
      Caption = "帮助"
      N3: TMenuItem {
        Caption = "Brimblo教育频道"
      }
      N4: TMenuItem {
        Caption = "more"
        Tag = 999
        N6: TMenuItem {
          Caption = "inner"
        }
      }
    }
    N5: TMenuItem {
      Caption = "退出"
    }
  }
  XPMenu1: TXPMenu {
    DimLevel = 30
    GrayLevel = 10
    Font.Charset = 1
    Font.Color = clMenuText
    Font.Height = -11
    Font.Name = "Tahoma"
    Font.Style = []
    Color = clBtnFace
    DrawMenuBar = True
    IconBackColor = clBtnFace
    MenuBarColor = clBtnFace
    SelectColor = clHighlight
    SelectBorderColor = clHighlight
    SelectFontColor = clMenuText
    DisabledColor = clInactiveCaption
    SeparatorColor = clBtnFace
    CheckedColor = clHighlight
    IconWidth = 24
    DrawSelect = True
    UseSystemColors = True
    UseDimColor = False
    OverrideOwnerDraw = False
    Gradient = False
    FlatMenu = False
    AutoDetect = True
    Active = True
  }
}
)";

void pump() { ui::application().processMessages(); }

std::unique_ptr<ui::Form> readForm(const std::string& text) {
  static bool registered = [] {
    ui::registerClass(TXPMenu::staticClassInfo());
    skintest::registerTestControls();
    return true;
  }();
  (void)registered;
  auto f = std::make_unique<ui::Form>(nullptr);
  ui::readComponent(*f, text, &f->handlers());
  return f;
}

bool skinDraws(ui::MenuItem* item, TXPMenu* skin) {
  return item->onDrawItem.isHandler(skin, "DrawMenuItem") && item->onMeasureItem.isHandler(skin, "MeasureMenuItem");
}

// A form with one tree view and no skin.
std::unique_ptr<ui::Form> plainForm() {
  return readForm("g: TForm {\n  Width = 200\n  Height = 150\n  Tree: TTreeView {\n    Width = 80\n    Height = 80\n  }\n}\n");
}

}  // namespace

TEST(MenuSkin, ValuesAfterConstruction) {
  ui::Form f(nullptr);
  TXPMenu skin(&f);
  EXPECT_EQ(skin.OwnerForm(), &f);
  EXPECT_EQ(skin.DimLevel(), 30);
  EXPECT_EQ(skin.GrayLevel(), 10);
  LOGFONTW menuFont = ui::screen().menuFont();
  ui::Font expected;
  expected.setFromLogFont(menuFont);
  EXPECT_EQ(skin.Font().name(), expected.name());
  EXPECT_EQ(skin.Font().height(), expected.height());
  EXPECT_EQ(skin.SelectFontColor(), skin.Font().color());
  EXPECT_EQ(skin.Color(), ui::clBtnFace);
  EXPECT_FALSE(skin.DrawMenuBar());
  EXPECT_EQ(skin.SelectColor(), ui::clHighlight);
  EXPECT_EQ(skin.DisabledColor(), ui::clInactiveCaption);
  EXPECT_EQ(skin.IconWidth(), 24);
  EXPECT_TRUE(skin.DrawSelect());
  EXPECT_TRUE(skin.UseSystemColors());
  EXPECT_FALSE(skin.AutoDetect());
  EXPECT_EQ(skin.XPContainers(), 1023u);
  EXPECT_EQ(skin.XPControls(), 8388607u);
  EXPECT_FALSE(skin.Active());
  EXPECT_FALSE(skin.PaletteDirty());
  EXPECT_EQ(TXPMenu::TransparentKey, 0x00FF00FF);
  OSVERSIONINFOA v{};
  v.dwOSVersionInfoSize = sizeof v;
  GetVersionExA(&v);
  EXPECT_EQ(skin.IsNT(), v.dwPlatformId == VER_PLATFORM_WIN32_NT);
  EXPECT_EQ(skin.IsWinXP(), skin.IsNT() && v.dwMajorVersion == 5 && v.dwMinorVersion == 1);
  ASSERT_NE(TXPMenuManager::Instance(), nullptr);
}

TEST(MenuSkin, AnOwnerThatIsNotAFormFails) {
  ui::Component notAForm(nullptr);
  EXPECT_THROW(TXPMenu skin(&notAForm), ui::Error);
}

TEST(MenuSkin, PaletteFromTheSystemColours) {
  ui::Form f(nullptr);
  TXPMenu skin(&f);
  HDC dc = GetDC(nullptr);
  bool high = GetDeviceCaps(dc, BITSPIXEL) >= 16;
  ReleaseDC(nullptr, dc);
  ASSERT_EQ(skin.HighColor(), high);
  const EffectivePalette& p = skin.EffectivePalette();
  Rgb face = GetSysColor(COLOR_BTNFACE), hl = GetSysColor(COLOR_HIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  if (high) {
    EXPECT_EQ(p.MenuFace, LightenColor(face, 86));
    EXPECT_EQ(p.IconFace, LightenColor(face, 16));
    EXPECT_EQ(p.SelectFace, LightenColor(hl, 68));
    EXPECT_EQ(p.SeparatorLine, LightenColor(shadow, 25));
    EXPECT_EQ(p.FlatEdge, DarkenMenuColor(face, 90));
  }
  EXPECT_EQ(p.SelectEdge, hl);
  EXPECT_EQ(p.BarFace, face);
  EXPECT_EQ(p.SelectText, ui::colorToRGB(skin.Font().color()));
  // Changing only UseSystemColors changes no colour until a colour is set.
  skin.SetUseSystemColors(false);
  EXPECT_FALSE(skin.PaletteDirty());
  EXPECT_EQ(skin.EffectivePalette().MenuFace, p.MenuFace);
  skin.SetColor(0x00123456);
  EXPECT_TRUE(skin.PaletteDirty());
  HDC screen = GetDC(nullptr);
  skin.UpdatePalette(screen);
  ReleaseDC(nullptr, screen);
  EXPECT_FALSE(skin.PaletteDirty());
  EXPECT_EQ(skin.EffectivePalette().MenuFace, 0x00123456u);
  EXPECT_EQ(skin.ContrastTextColor(0x00C800C8), ui::colorToRGB(skin.Font().color()));
}

TEST(MenuSkin, BitmapsAreRecolouredPixelByPixel) {
  ui::Bitmap b(3, 1);
  b.canvas().setPixel(0, 0, 0x000000);
  b.canvas().setPixel(1, 0, 0x000000);
  b.canvas().setPixel(2, 0, 0xFFFFFF);
  TXPMenu::GreyBitmap(b, 10);
  EXPECT_EQ(b.canvas().pixel(0, 0), MakeRgb(10, 10, 10));  // a black first pixel too
  EXPECT_EQ(b.canvas().pixel(1, 0), MakeRgb(10, 10, 10));
  EXPECT_EQ(b.canvas().pixel(2, 0), MakeRgb(240, 240, 240));
  TXPMenu::LightenBitmap(b, 150);
  EXPECT_EQ(b.canvas().pixel(0, 0), 0x00FFFFFFu);
}

TEST(MenuSkin, StoredSettingsRoundTrip) {
  auto f = readForm(kSkinForm);
  auto* skin = f->find<TXPMenu>("XPMenu1");
  ASSERT_NE(skin, nullptr);
  EXPECT_TRUE(skin->Active());
  EXPECT_TRUE(skin->AutoDetect());
  EXPECT_TRUE(skin->DrawMenuBar());
  EXPECT_EQ(skin->Font().name(), "Tahoma");
  EXPECT_EQ(skin->Font().color(), ui::clMenuText);
  EXPECT_EQ(skin->SelectFontColor(), ui::clMenuText);
  EXPECT_TRUE(skin->PaletteDirty());  // the loaded colours are used at the first painting
  std::string text = ui::writeComponent(*f);
  for (const char* line : {"DimLevel = 30", "GrayLevel = 10", "Color = clBtnFace", "DrawMenuBar = True",
                           "IconBackColor = clBtnFace", "MenuBarColor = clBtnFace", "SelectColor = clHighlight",
                           "SelectBorderColor = clHighlight", "SelectFontColor = clMenuText",
                           "DisabledColor = clInactiveCaption", "SeparatorColor = clBtnFace",
                           "CheckedColor = clHighlight", "IconWidth = 24", "DrawSelect = True",
                           "UseSystemColors = True", "UseDimColor = False", "OverrideOwnerDraw = False",
                           "Gradient = False", "FlatMenu = False", "AutoDetect = True", "Active = True",
                           "Font.Name = \"Tahoma\""})
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  // Only the three with a stored default are left out at their default.
  EXPECT_EQ(text.find("XPContainers"), std::string::npos);
  EXPECT_EQ(text.find("XPControls"), std::string::npos);
  EXPECT_EQ(text.find("DisableSubclassing"), std::string::npos);
  EXPECT_EQ(text.find("DrawMenuItem"), std::string::npos);  // the skin's handlers are its own
  // Active is written last.
  EXPECT_LT(text.find("AutoDetect = True"), text.find("Active = True"));
  skin->SetXPControls(kAllControls & ~(1u << xcPopupMenu));
  EXPECT_NE(ui::writeComponent(*f).find("XPControls = [xcMainMenu, xcToolbar"), std::string::npos);
}

TEST(MenuSkin, ActivationHooksTheMenuAndDeactivationLetsGo) {
  auto f = readForm(kSkinForm);
  auto* skin = f->find<TXPMenu>("XPMenu1");
  auto* menu = f->find<ui::MainMenu>("MainMenu1");
  auto* n3 = f->find<ui::MenuItem>("N3");
  auto* n4 = f->find<ui::MenuItem>("N4");
  auto* n6 = f->find<ui::MenuItem>("N6");
  EXPECT_TRUE(menu->ownerDraw());
  EXPECT_TRUE(skinDraws(f->find<ui::MenuItem>("N2"), skin));
  EXPECT_TRUE(skinDraws(n3, skin));
  EXPECT_TRUE(skinDraws(f->find<ui::MenuItem>("N5"), skin));
  EXPECT_FALSE(n4->onDrawItem);  // Tag 999: left to the owner-draw default
  EXPECT_TRUE(skinDraws(n6, skin));  // its sub-items are still hooked
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE;
  ASSERT_TRUE(GetMenuItemInfoW(menu->handle(), 0, TRUE, &mii));
  EXPECT_TRUE(mii.fType & MFT_OWNERDRAW);
  // A handler the application installs meanwhile survives deactivation.
  int own = 0;
  n3->onDrawItem = ui::MenuDrawEvent([&](ui::MenuItem*, ui::Canvas&, RECT, bool) { ++own; }, "OwnDraw", f.get());
  skin->SetActive(false);
  EXPECT_FALSE(menu->ownerDraw());
  EXPECT_TRUE(n3->onDrawItem.isHandler(f.get(), "OwnDraw"));
  EXPECT_FALSE(n3->onMeasureItem);
  EXPECT_FALSE(f->find<ui::MenuItem>("N5")->onDrawItem);
  ASSERT_TRUE(GetMenuItemInfoW(menu->handle(), 0, TRUE, &mii));
  EXPECT_FALSE(mii.fType & MFT_OWNERDRAW);
  // Activating again keeps the application's draw handler, adds the skin's measure one.
  skin->SetActive(true);
  EXPECT_TRUE(n3->onDrawItem.isHandler(f.get(), "OwnDraw"));
  EXPECT_TRUE(n3->onMeasureItem.isHandler(skin, "MeasureMenuItem"));
  skin->SetOverrideOwnerDraw(true);  // unless the skin is told to override them
  EXPECT_TRUE(n3->onDrawItem.isHandler(skin, "DrawMenuItem"));
}

TEST(MenuSkin, MenusMarkedOrEmpty) {
  auto f = readForm(kSkinForm);
  auto* skin = f->find<TXPMenu>("XPMenu1");
  skin->SetActive(false);
  auto* menu = f->find<ui::MainMenu>("MainMenu1");
  menu->setTag(999);
  menu->setOwnerDraw(true);
  auto* popup = new ui::PopupMenu(f.get());
  popup->setTag(999);
  auto* item = new ui::MenuItem(f.get());
  popup->items().add(item);
  auto* empty = new ui::PopupMenu(f.get());
  skin->SetActive(true);
  EXPECT_FALSE(f->find<ui::MenuItem>("N3")->onDrawItem);  // a main menu with Tag 999 is not touched
  EXPECT_TRUE(skinDraws(item, skin));                      // a pop-up menu is hooked whatever its Tag
  EXPECT_TRUE(popup->ownerDraw());
  EXPECT_FALSE(empty->ownerDraw());  // no items: the switch is never made
}

TEST(MenuSkin, AutoDetectHooksAnItemAddedLater) {
  auto f = readForm(kSkinForm);
  auto* skin = f->find<TXPMenu>("XPMenu1");
  auto* item = ui::make<ui::MenuItem>(f.get());
  item->setCaption("late");
  f->find<ui::MenuItem>("N2")->add(item);
  EXPECT_TRUE(skinDraws(item, skin));
  skin->SetAutoDetect(false);
  auto* other = ui::make<ui::MenuItem>(f.get());
  EXPECT_FALSE(other->onDrawItem);
}

TEST(MenuSkin, ThemesTheKindsItKnowsOnContainersItKnows) {
  auto f = readForm(kSkinForm);
  auto* skin = f->find<TXPMenu>("XPMenu1");
  auto* tree = f->find<ui::TreeView>("lbMenu");
  auto* panel = f->find<ui::Panel>("Panel1");
  TControlSubClass* r = skin->RecordOf(tree);
  ASSERT_NE(r, nullptr);
  EXPECT_NE(skin->RecordOf(panel), nullptr);
  HWND w = tree->handle();
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w, GWLP_WNDPROC)), r->proc());
  EXPECT_EQ(r->Skin(), skin);
  EXPECT_EQ(r->SavedBorderStyle(), ui::BorderStyle::Single);
  // The record stays in front of a remade window.
  tree->recreateWnd();
  EXPECT_EQ(skin->RecordOf(tree), r);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(tree->handle(), GWLP_WNDPROC)), r->proc());
  // Kinds and containers.
  skin->SetActive(false);
  pump();
  auto* scroll = skintest::makeTestControl("TScrollBox", f.get());
  auto* onScroll = skintest::makeTestControl("TListBox", scroll);
  auto* list = skintest::makeTestControl("TSortedListBox", f.get());
  auto* edit = skintest::makeTestControl("TEdit", f.get());
  auto* mask = skintest::makeTestControl("TMaskEdit", f.get());
  auto* marked = skintest::makeTestControl("TButton", f.get());
  marked->setTag(999);
  auto* box = skintest::makeTestControl("TGroupBox", f.get());
  auto* inBox = skintest::makeTestControl("TBitBtn", box);
  auto* dbPanel = skintest::makeTestControl("TDBCtrlPanel", f.get());
  auto* inDbPanel = skintest::makeTestControl("TUpDown", dbPanel);
  box->handle();
  skin->SetActive(true);
  EXPECT_EQ(skin->RecordOf(onScroll), nullptr);  // not on a container it knows
  EXPECT_NE(skin->RecordOf(list), nullptr);      // a class test takes derived classes
  EXPECT_EQ(skin->RecordOf(edit), nullptr);      // plain edits are not among the kinds
  EXPECT_NE(skin->RecordOf(mask), nullptr);
  EXPECT_EQ(skin->RecordOf(marked), nullptr);  // Tag 999
  EXPECT_NE(skin->RecordOf(box), nullptr);
  EXPECT_NE(skin->RecordOf(inBox), nullptr);
  EXPECT_NE(skin->RecordOf(inDbPanel), nullptr);
  box->setTag(999);
  skin->SetActive(false);
  pump();
  skin->SetActive(true);
  EXPECT_EQ(skin->RecordOf(inBox), nullptr);  // its parent's Tag 999
  skin->SetXPContainers(kAllContainers & ~(1u << xccForm));
  EXPECT_EQ(skin->RecordOf(tree), nullptr);
  EXPECT_NE(skin->RecordOf(inDbPanel), nullptr);
}

TEST(MenuSkin, DeactivationUndoesTheThemingAtTheNextMessage) {
  auto f = readForm(kSkinForm);
  auto* skin = f->find<TXPMenu>("XPMenu1");
  auto* list = skintest::makeTestControl("TListBox", f.get());
  skin->SetActive(false);
  skin->SetActive(true);
  TControlSubClass* r = skin->RecordOf(list);
  ASSERT_NE(r, nullptr);
  WNDPROC saved = r->SavedWindowProc();
  list->setBorderStyle(ui::BorderStyle::None);
  list->setCtl3D(false);
  skin->SetActive(false);  // repaints: the list's next message undoes the theming
  EXPECT_EQ(skin->RecordOf(list), nullptr);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(list->handle(), GWLP_WNDPROC)), saved);
  EXPECT_EQ(list->borderStyle(), ui::BorderStyle::Single);  // the border style comes back
  EXPECT_FALSE(list->ctl3D());                               // the 3D border does not
}

TEST(MenuSkin, ManagerThemesOtherFormsAndHandsOver) {
  ASSERT_EQ(TXPMenuManager::Instance(), nullptr);
  size_t hooksBefore = ui::application().mainWindowHookCount();
  auto first = readForm(kSkinForm);
  auto* a = first->find<TXPMenu>("XPMenu1");
  TXPMenuManager* m = TXPMenuManager::Instance();
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(ui::application().mainWindowHookCount(), hooksBefore + 1);
  EXPECT_EQ(m->SubclassingSkin(), a);
  auto plain = plainForm();  // made later: not queued by itself
  auto second = readForm(kSkinForm);
  auto* b = second->find<TXPMenu>("XPMenu1");
  EXPECT_EQ(m->Skins().size(), 2u);
  EXPECT_EQ(m->SubclassingSkin(), a);  // the first active skin keeps the role
  // A form with its own skin or Tag 999 is never queued; the others are themed at the
  // next message of the application's window.
  auto marked = plainForm();
  marked->setTag(999);
  m->CollectForms();
  ASSERT_EQ(m->PendingForms().size(), 1u);
  EXPECT_EQ(m->PendingForms()[0], plain.get());
  PostMessageW(ui::application().handle(), WM_NULL, 0, 0);
  pump();
  EXPECT_TRUE(m->PendingForms().empty());
  auto* tree = plain->find<ui::TreeView>("Tree");
  ASSERT_NE(a->RecordOf(tree), nullptr);
  // The first skin goes: the second takes the role and the other form's records.
  first.reset();
  EXPECT_EQ(m->SubclassingSkin(), b);
  TControlSubClass* moved = b->RecordOf(tree);
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(tree->handle(), GWLP_WNDPROC)), moved->proc());
  // The last skin goes: the manager and its hook with it.
  second.reset();
  EXPECT_EQ(TXPMenuManager::Instance(), nullptr);
  EXPECT_EQ(ui::application().mainWindowHookCount(), hooksBefore);
}
