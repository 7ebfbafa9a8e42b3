// The flat look the menu skin gives a form's controls, under Wine: window styles and
// pixels read back after the messages that change it. Expected colours come from the
// running system's colours through the skin's colour rules.
#include <gtest/gtest.h>

#include <memory>

#include "skin/menu/control_subclass.h"
#include "skin/menu/xp_menu.h"
#include "test_controls.h"
#include "window_pixels.h"
#include "ui/ui.h"

using xpmenu::Rgb;

namespace {

const char kForm[] = R"(f: TForm {
  Left = 20
  Top = 20
  Width = 520
  Height = 380
  lbMenu: TTreeView {
    Left = 0
    Top = 0
    Width = 120
    Height = 200
  }
  pFlash: TPanel {
    Left = 130
    Top = 0
    Width = 200
    Height = 100
    BevelOuter = bvRaised
    BevelWidth = 1
  }
  Panel1: TPanel {
    Left = 130
    Top = 110
    Width = 200
    Height = 90
    BevelOuter = bvNone
  }
  XPMenu1: TXPMenu {
    Font.Color = clMenuText
    Font.Height = -11
    Font.Name = "Tahoma"
    UseSystemColors = True
    Active = True
  }
}
)";

void pump() {
  for (int i = 0; i < 3; ++i) ui::application().processMessages();
}

Rgb sys(int index) { return GetSysColor(index); }

using skintest::clientPixel;
using skintest::windowPixel;
using skintest::windowSize;

void expectRing(HWND w, COLORREF color, const char* when) { EXPECT_EQ(skintest::ringColor(w), color) << when; }

class ControlTheming : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::registerClass(TXPMenu::staticClassInfo());
    skintest::registerTestControls();
    form = std::make_unique<ui::Form>(nullptr);
    ui::readComponent(*form, kForm, &form->handlers());
    skin = form->find<TXPMenu>("XPMenu1");
    form->show();
    pump();
  }

  // A test control on the form (or on parent), themed by the skin and shown.
  skintest::TestControl* add(const std::string& className, int l, int t, int w, int h,
                             ui::WinControl* parent = nullptr) {
    auto* c = skintest::makeTestControl(className, parent ? parent : form.get());
    c->setBounds(l, t, w, h);
    c->handle();
    skin->ApplyToComponent(c, true, true);
    pump();
    return c;
  }

  Rgb selectEdge() const { return skin->EffectivePalette().SelectEdge; }

  std::unique_ptr<ui::Form> form;
  TXPMenu* skin = nullptr;
};

TEST_F(ControlTheming, TreeGetsAFlatBorderThatLightsUpUnderTheMouseAndWithTheFocus) {
  auto* tree = form->find<ui::TreeView>("lbMenu");
  HWND w = tree->handle();
  EXPECT_EQ(skin->EffectivePalette().SelectEdge, sys(COLOR_HIGHLIGHT));
  // The sunken edge gives way to a one-pixel border.
  EXPECT_FALSE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(GetWindowLongW(w, GWL_STYLE) & WS_BORDER);
  RECT client;
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, 120 - 2);
  EXPECT_EQ(client.bottom, 200 - 2);
  COLORREF rest = xpmenu::DarkenMenuColor(sys(COLOR_WINDOW), 60);
  COLORREF lit = xpmenu::LightenColor(sys(COLOR_HIGHLIGHT), 60);
  ASSERT_NE(rest, lit);
  expectRing(w, rest, "at rest");
  SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  expectRing(w, lit, "under the mouse");
  EXPECT_TRUE(skin->RecordOf(tree)->Hot());
  SendMessageW(w, WM_MOUSELEAVE, 0, 0);
  expectRing(w, rest, "after the mouse left");
  tree->setFocus();
  pump();
  expectRing(w, lit, "focused");
  EXPECT_TRUE(skin->RecordOf(tree)->Focused());
  SetFocus(form->handle());
  pump();
  expectRing(w, rest, "after losing the focus");
  // The system paints its own border at a frame repaint; the flat one comes back over it.
  RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  expectRing(w, rest, "after a frame repaint");
}

TEST_F(ControlTheming, RecreatedTreeKeepsItsRecordAndItsFlatBorder) {
  auto* tree = form->find<ui::TreeView>("lbMenu");
  TControlSubClass* r = skin->RecordOf(tree);
  ASSERT_NE(r, nullptr);
  HWND before = tree->handle();
  tree->recreateWnd();
  pump();
  HWND w = tree->handle();
  EXPECT_NE(w, before);
  EXPECT_EQ(skin->RecordOf(tree), r);
  EXPECT_FALSE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  expectRing(w, xpmenu::DarkenMenuColor(sys(COLOR_WINDOW), 60), "after recreation");
  EXPECT_FALSE(r->Recreating());  // cleared by the new window's paint
}

TEST_F(ControlTheming, PanelBevelIsPaintedOnlyAfterAPaintMessage) {
  auto* panel = form->find<ui::Panel>("pFlash");
  HWND w = panel->handle();
  Rgb face = sys(COLOR_BTNFACE);
  COLORREF light = xpmenu::LightenColor(face, 60), dark = xpmenu::DarkenMenuColor(face, 60);
  EXPECT_EQ(clientPixel(w, 0, 50), light);
  EXPECT_EQ(clientPixel(w, 100, 0), light);
  EXPECT_EQ(clientPixel(w, 199, 50), dark);
  EXPECT_EQ(clientPixel(w, 100, 99), dark);
  // Painted over, and repainted for a message that is no paint: the bevel stays away.
  HDC dc = GetDC(w);
  SetPixel(dc, 0, 50, RGB(255, 0, 255));
  ReleaseDC(w, dc);
  SendMessageW(w, ui::CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(skin->RecordOf(panel)->LastMessage(), ui::CM_MOUSEENTER);
  EXPECT_EQ(clientPixel(w, 0, 50), RGB(255, 0, 255));
  InvalidateRect(w, nullptr, TRUE);
  UpdateWindow(w);
  EXPECT_EQ(clientPixel(w, 0, 50), light);
  // A panel without bevel keeps its plain face.
  HWND plain = form->find<ui::Panel>("Panel1")->handle();
  EXPECT_EQ(clientPixel(plain, 0, 40), face);
}

TEST_F(ControlTheming, ButtonFaceFollowsItsState) {
  auto* b = add("TButton", 10, 220, 90, 30);
  b->setCaption("OK");
  pump();
  HWND w = b->handle();
  TControlSubClass* r = skin->RecordOf(b);
  ASSERT_NE(r, nullptr);
  Rgb shadow = sys(COLOR_BTNSHADOW), litEdge = xpmenu::LightenColor(selectEdge(), 60);
  // At rest: the icon column colour, an outline from the button shadow, a dark line
  // along the bottom.
  EXPECT_EQ(clientPixel(w, 5, 5), skin->EffectivePalette().IconFace);
  EXPECT_EQ(clientPixel(w, 45, 0), xpmenu::LightenColor(shadow, 30));
  EXPECT_EQ(clientPixel(w, 45, 29), xpmenu::DarkenMenuColor(shadow, 50));
  // Under the mouse: lighter face, lit outline.
  SendMessageW(w, ui::CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(clientPixel(w, 5, 5), xpmenu::LightenColor(sys(COLOR_BTNFACE), 40));
  EXPECT_EQ(clientPixel(w, 45, 0), xpmenu::LightenColor(litEdge, 30));
  // Pressed while under the mouse: the dark line moves to the top.
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 15));
  EXPECT_TRUE(r->MouseDown());
  EXPECT_EQ(clientPixel(w, 45, 0), xpmenu::DarkenMenuColor(litEdge, 50));
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(45, 15));
  EXPECT_EQ(clientPixel(w, 45, 29), xpmenu::DarkenMenuColor(litEdge, 50));
  // The space key presses it too.
  SendMessageW(w, WM_KEYDOWN, VK_SPACE, 1);
  EXPECT_TRUE(r->SpaceDown());
  EXPECT_EQ(clientPixel(w, 45, 0), xpmenu::DarkenMenuColor(litEdge, 50));
  SendMessageW(w, WM_KEYUP, VK_SPACE, 0xC0000001);
  EXPECT_FALSE(r->SpaceDown());
  SendMessageW(w, ui::CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(clientPixel(w, 5, 5), skin->EffectivePalette().IconFace);
  // Disabled: no dark line.
  b->setEnabled(false);
  EXPECT_FALSE(r->Hot());
  EXPECT_EQ(clientPixel(w, 45, 29), xpmenu::LightenColor(shadow, 30));
}

// Pixels of the colour inside the client rectangle r.
int countPixels(HWND w, RECT r, COLORREF color) {
  int n = 0;
  HDC dc = GetDC(w);
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == color;
  ReleaseDC(w, dc);
  return n;
}

TEST_F(ControlTheming, ButtonCaptionIsCentredInTheMenuFontColours) {
  auto* b = add("TButton", 10, 220, 90, 30);
  b->setCaption("OK");
  pump();
  HWND w = b->handle();
  COLORREF text = TXPMenu::Resolve(skin->Font().color());
  COLORREF disabled = skin->EffectivePalette().DisabledText;
  EXPECT_GT(countPixels(w, RECT{30, 5, 60, 25}, text), 0);
  EXPECT_EQ(countPixels(w, RECT{3, 3, 28, 27}, text), 0);  // nothing left of the middle
  b->setEnabled(false);
  EXPECT_EQ(countPixels(w, RECT{3, 3, 87, 27}, text), 0);
  EXPECT_GT(countPixels(w, RECT{30, 5, 60, 25}, disabled), 0);
}

TEST_F(ControlTheming, DoubleClickOnAButtonIsASecondPress) {
  auto* b = add("TButton", 10, 220, 90, 30);
  HWND w = b->handle();
  int clicks = 0;
  b->onClick = ui::NotifyEvent([&](ui::Component*) { ++clicks; });
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  SendMessageW(w, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 10));
  TControlSubClass* r = skin->RecordOf(b);
  EXPECT_TRUE(r->MouseDown());
  EXPECT_EQ(r->LastMessage(), static_cast<unsigned>(WM_LBUTTONDOWN));
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  pump();
  EXPECT_EQ(clicks, 2);
}

TEST_F(ControlTheming, ButtonTagged1000TakesItsTintsFromItsParent) {
  auto* panel = form->find<ui::Panel>("Panel1");
  panel->setColor(0x0040A0E0);
  auto* b = add("TButton", 10, 10, 90, 30, panel);
  b->setTag(1000);
  HWND w = b->handle();
  InvalidateRect(w, nullptr, TRUE);
  UpdateWindow(w);
  EXPECT_EQ(clientPixel(w, 5, 5), xpmenu::LightenColor(0x0040A0E0, 16));
  SendMessageW(w, ui::CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(clientPixel(w, 5, 5), xpmenu::LightenColor(0x0040A0E0, 40));
}

TEST_F(ControlTheming, ButtonTagged999KeepsTheSystemLook) {
  auto* b = skintest::makeTestControl("TButton", form.get());
  b->setBounds(10, 220, 90, 30);
  b->setTag(999);
  WNDPROC own = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(b->handle(), GWLP_WNDPROC));
  skin->ApplyToComponent(b, true, true);
  pump();
  EXPECT_EQ(skin->RecordOf(b), nullptr);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(b->handle(), GWLP_WNDPROC)), own);
  EXPECT_NE(clientPixel(b->handle(), 5, 5), skin->EffectivePalette().IconFace);
}

TEST_F(ControlTheming, EditGetsAFlatBorder) {
  auto* e = add("TMaskEdit", 10, 220, 100, 24);
  HWND w = e->handle();
  EXPECT_FALSE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(GetWindowLongW(w, GWL_STYLE) & WS_BORDER);
  COLORREF rest = xpmenu::DarkenMenuColor(TXPMenu::Resolve(e->color()), 60);
  expectRing(w, rest, "at rest");
  SendMessageW(w, ui::CM_MOUSEENTER, 0, 0);
  expectRing(w, xpmenu::LightenColor(selectEdge(), 60), "under the mouse");
}

TEST_F(ControlTheming, ListBoxWithoutBorderGetsTheFaintTints) {
  auto* list = skintest::makeTestControl("TListBox", form.get());
  list->setBorderStyle(ui::BorderStyle::None);
  list->setBounds(10, 220, 100, 60);
  list->handle();
  skin->ApplyToComponent(list, true, true);
  pump();
  HWND w = list->handle();
  expectRing(w, TXPMenu::Resolve(list->color()), "at rest");
  SendMessageW(w, ui::CM_MOUSEENTER, 0, 0);
  expectRing(w, xpmenu::LightenColor(selectEdge(), 80), "under the mouse");
}

TEST_F(ControlTheming, GroupBoxFrameIsRedrawnInTints) {
  auto* box = add("TGroupBox", 10, 220, 160, 100);
  box->setCaption("Group");
  InvalidateRect(box->handle(), nullptr, TRUE);
  UpdateWindow(box->handle());
  HWND w = box->handle();
  Rgb face = TXPMenu::Resolve(box->color());
  COLORREF dark = xpmenu::DarkenMenuColor(face, 60), light = xpmenu::LightenColor(face, 60);
  EXPECT_EQ(clientPixel(w, 1, 50), dark);
  EXPECT_EQ(clientPixel(w, 2, 50), light);
  EXPECT_EQ(clientPixel(w, 157, 50), dark);
  EXPECT_EQ(clientPixel(w, 158, 50), light);
  EXPECT_EQ(clientPixel(w, 80, 97), dark);
  EXPECT_EQ(clientPixel(w, 80, 98), light);
  EXPECT_EQ(clientPixel(w, 0, 50), face);
}

TEST_F(ControlTheming, LookupComboPaintsItsOwnFlatFrame) {
  auto* combo = add("TDBLookupComboBox", 10, 220, 120, 24);
  HWND w = combo->handle();
  EXPECT_EQ(SendMessageW(w, WM_NCPAINT, 1, 0), 1);
  InvalidateRect(w, nullptr, TRUE);
  UpdateWindow(w);
  SIZE s = windowSize(w);
  EXPECT_EQ(windowPixel(w, s.cx / 3, 0), xpmenu::DarkenMenuColor(TXPMenu::Resolve(combo->color()), 60));
  // The drop-down button's outline, a scroll bar thumb wide, inside the frame.
  int left = s.cx - 1 - GetSystemMetrics(SM_CXHTHUMB);
  EXPECT_EQ(windowPixel(w, left, s.cy / 2), xpmenu::LightenColor(selectEdge(), 60));
  SendMessageW(w, ui::CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(windowPixel(w, s.cx / 3, 0), xpmenu::LightenColor(selectEdge(), 60));
  EXPECT_EQ(windowPixel(w, left + 2, 3), skin->EffectivePalette().SelectFace);
}

TEST_F(ControlTheming, UpDownIsThemedAndStillWorks) {
  auto* up = add("TUpDown", 10, 220, 20, 30);
  HWND w = up->handle();
  ASSERT_NE(skin->RecordOf(up), nullptr);
  SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(skin->RecordOf(up)->LastMessage(), static_cast<unsigned>(WM_MOUSEMOVE));
  SendMessageW(w, UDM_SETRANGE32, 0, 10);
  SendMessageW(w, UDM_SETPOS32, 0, 3);
  EXPECT_EQ(SendMessageW(w, UDM_GETPOS32, 0, 0), 3);
}

TEST_F(ControlTheming, RecordIsFreedOnlyAfterTheCallThatDestroyedTheWindowReturned) {
  auto* list = add("TListBox", 10, 220, 100, 60);
  TControlSubClass* r = skin->RecordOf(list);
  ASSERT_NE(r, nullptr);
  // Hidden, and painted since: its destruction is no recreation.
  list->hide();
  SendMessageW(list->handle(), WM_PAINT, 0, 0);
  ASSERT_FALSE(r->Recreating());
  size_t during = 0;
  list->onMouseUp = ui::MouseEvent([&](ui::Component*, ui::MouseButton, int, int, int) {
    list->destroyHandle();  // WM_DESTROY reaches the record inside this call
    during = skin->Records().size();
  });
  size_t before = skin->Records().size();
  SendMessageW(list->handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(during, before);
  EXPECT_EQ(skin->Records().size(), before - 1);
}

TEST_F(ControlTheming, RecordGoesWithItsControl) {
  auto* list = add("TListBox", 10, 220, 100, 60);
  size_t before = skin->Records().size();
  TControlSubClass* r = skin->RecordOf(list);
  ASSERT_NE(r, nullptr);
  list->destroyHandle();  // visible: hidden first, which marks it as being recreated
  EXPECT_EQ(skin->Records().size(), before);
  delete list;
  EXPECT_EQ(skin->Records().size(), before - 1);
}

TEST_F(ControlTheming, DeactivationRestoresEveryControlAtItsNextMessage) {
  auto* tree = form->find<ui::TreeView>("lbMenu");
  auto* edit = add("TMaskEdit", 10, 220, 100, 24);
  auto* list = add("TListBox", 120, 220, 100, 60);
  auto* combo = add("TDBLookupComboBox", 230, 220, 120, 24);
  auto* button = add("TButton", 360, 220, 90, 30);
  ui::WinControl* controls[] = {tree, edit, list, combo, button};
  std::vector<WNDPROC> saved;
  for (ui::WinControl* c : controls) {
    ASSERT_NE(skin->RecordOf(c), nullptr) << c->className();
    saved.push_back(skin->RecordOf(c)->SavedWindowProc());
  }
  EXPECT_FALSE(tree->ctl3D());
  EXPECT_FALSE(edit->ctl3D());
  skin->SetActive(false);
  for (ui::WinControl* c : controls) SendMessageW(c->handle(), WM_NULL, 0, 0);
  for (size_t i = 0; i < saved.size(); ++i) {
    ui::WinControl* c = controls[i];
    EXPECT_EQ(skin->RecordOf(c), nullptr) << c->className();
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(c->handle(), GWLP_WNDPROC)), saved[i]) << c->className();
  }
  EXPECT_TRUE(skin->Records().empty());
  EXPECT_TRUE(edit->ctl3D());  // edits get their sunken edge back
  EXPECT_TRUE(GetWindowLongW(edit->handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(tree->borderStyle(), ui::BorderStyle::Single);  // tree views their border style
  // A message after that reaches the control alone: no flat look any more.
  SendMessageW(button->handle(), ui::CM_MOUSEENTER, 0, 0);
  EXPECT_NE(clientPixel(button->handle(), 5, 5), xpmenu::LightenColor(sys(COLOR_BTNFACE), 40));
}

}  // namespace
