// Windowed controls and forms: window styles from settings, parents, fonts, focus,
// state, mouse events and the form's own settings.
#include <gtest/gtest.h>

#include "probe.h"

using namespace uitest;

namespace {

std::wstring windowText(HWND w) {
  wchar_t buf[256] = {};
  GetWindowTextW(w, buf, 256);
  return buf;
}

}  // namespace

TEST(Forms, WindowFollowsTheStoredSettings) {
  TestForm f;
  HWND w = f.handle();
  LONG style = GetWindowLongW(w, GWL_STYLE);
  EXPECT_TRUE(style & WS_THICKFRAME);  // sizeable
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_HSCROLL);
  EXPECT_FALSE(style & WS_VSCROLL);
  EXPECT_EQ(windowText(w), L"测试窗口");
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 57);
  EXPECT_EQ(r.top, 92);
  EXPECT_EQ(r.right - r.left, 600);
  EXPECT_EQ(r.bottom - r.top, 450);
  EXPECT_FALSE(IsWindowVisible(w));  // hidden until shown
  f.setBorderIcons(ui::biSystemMenu | ui::biMinimize | ui::biMaximize);
  EXPECT_TRUE(GetWindowLongW(w, GWL_STYLE) & WS_MAXIMIZEBOX);
  f.setCaption(ui::utf8ToGbk("新标题"));
  EXPECT_EQ(windowText(w), L"新标题");
}

TEST(Forms, BoundsSetInOnCreateMakeTheWindow) {
  TestForm f(nullptr, false);
  f.onCreate = ui::NotifyEvent([&](ui::Component*) {
    f.setWidth(ui::screen().width());
    f.setHeight(ui::screen().height());
    f.setLeft(0);
    f.setTop(0);
  });
  f.read("f: TForm {\n  Left = 57\n  Top = 92\n  Width = 900\n  Height = 654\n}\n");
  RECT r;
  GetWindowRect(f.handle(), &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
}

TEST(Forms, ShowRunsOnShowFirstAndOnce) {
  TestForm f;
  bool visibleDuringShow = true;
  f.onShow = ui::NotifyEvent([&](ui::Component*) {
    ++f.shows;
    visibleDuringShow = IsWindowVisible(f.handle()) != 0;
  });
  f.show();
  EXPECT_EQ(f.shows, 1);
  EXPECT_FALSE(visibleDuringShow);
  EXPECT_TRUE(IsWindowVisible(f.handle()));
  f.show();
  EXPECT_EQ(f.shows, 1);
}

TEST(Forms, CloseOfAnotherFormHidesIt) {
  TestForm main;  // the first form made is the main form
  ui::Form* before = ui::application().mainForm();
  TestForm other;
  other.show();
  ui::CloseAction asked = ui::CloseAction::Free;
  other.onClose = ui::CloseEvent([&](ui::Component*, ui::CloseAction& a) { asked = a; });
  ASSERT_NE(ui::application().mainForm(), &other);
  SendMessageW(other.handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(asked, ui::CloseAction::Hide);
  EXPECT_FALSE(IsWindowVisible(other.handle()));
  EXPECT_TRUE(IsWindow(other.handle()));
  EXPECT_FALSE(ui::application().terminated());
  // An OnClose that answers None keeps the form.
  other.show();
  other.onClose = ui::CloseEvent([](ui::Component*, ui::CloseAction& a) { a = ui::CloseAction::None; });
  SendMessageW(other.handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindowVisible(other.handle()));
  EXPECT_EQ(ui::application().mainForm(), before);
}

TEST(Forms, ScreenCentrePosition) {
  TestForm f(nullptr, false);
  f.read("f: TForm {\n  Width = 400\n  Height = 300\n  Position = poScreenCenter\n}\n");
  f.show();
  EXPECT_EQ(f.left(), (ui::screen().width() - 400) / 2);
  EXPECT_EQ(f.top(), (ui::screen().height() - 300) / 2);
}

TEST(Controls, WindowsAreMadeOnDemandInsideTheirParents) {
  TestForm f(nullptr, false);
  f.read("f: TForm {\n}\n");
  auto* panel = ui::make<ui::Panel>(&f);
  panel->setParent(&f);
  EXPECT_FALSE(panel->handleAllocated());
  auto* inner = ui::make<ui::Panel>(&f);
  inner->setParent(panel);
  HWND p = panel->handle();
  EXPECT_TRUE(f.handleAllocated());  // the parent's window comes first
  EXPECT_EQ(GetParent(p), f.handle());
  EXPECT_TRUE(inner->handleAllocated());  // children follow their parent's window
  EXPECT_EQ(GetParent(inner->handle()), p);
  EXPECT_EQ(ui::WinControl::fromHandle(p), panel);
  EXPECT_TRUE(f.containsControl(inner));
  EXPECT_FALSE(inner->containsControl(panel));
  // Moving a control to another parent moves its window.
  inner->setParent(&f);
  EXPECT_EQ(GetParent(inner->handle()), f.handle());
  EXPECT_EQ(panel->controlCount(), 0);
}

TEST(Controls, EnabledVisibleAndFocus) {
  TestForm f;
  f.show();
  auto* tree = f.find<ui::TreeView>("lbMenu");
  tree->setEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(tree->handle()));
  EXPECT_FALSE(tree->canFocus());
  tree->setEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(tree->handle()));
  SetForegroundWindow(f.handle());
  tree->setFocus();
  EXPECT_TRUE(tree->focused());
  int enters = 0, exits = 0;
  auto* area = f.find<ui::Panel>("pFlash");
  area->onEnter = ui::NotifyEvent([&](ui::Component*) { ++enters; });
  tree->onExit = ui::NotifyEvent([&](ui::Component*) { ++exits; });
  area->setFocus();
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(exits, 1);
  area->hide();
  EXPECT_FALSE(IsWindowVisible(area->handle()));
}

TEST(Controls, FontsAreTheControlsOwnOrTheParents) {
  TestForm f;
  auto* tree = f.find<ui::TreeView>("lbMenu");
  auto* banner = f.find<ui::Panel>("Panel1");
  EXPECT_TRUE(banner->parentFont());
  EXPECT_EQ(banner->font().name(), "MS Sans Serif");
  // The window gets the font (WM_SETFONT).
  HFONT hf = reinterpret_cast<HFONT>(SendMessageW(tree->handle(), WM_GETFONT, 0, 0));
  ASSERT_NE(hf, nullptr);
  LOGFONTW lf{};
  GetObjectW(hf, sizeof lf, &lf);
  EXPECT_EQ(std::wstring(lf.lfFaceName), L"宋体");
  EXPECT_EQ(lf.lfHeight, -12);
  // A change of the form's font reaches the children that follow it, not the tree.
  f.font().setHeight(-15);
  EXPECT_EQ(banner->font().height(), -15);
  EXPECT_EQ(tree->font().height(), -12);
  ui::Font copy;
  copy.assign(tree->font());
  EXPECT_EQ(copy.name(), tree->font().name());
  EXPECT_EQ(copy.height(), -12);
}

TEST(Controls, Ctl3DAndBorderStyleChangeTheEdgeInPlace) {
  TestForm f;
  auto* tree = f.find<ui::TreeView>("lbMenu");
  HWND w = tree->handle();
  EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  tree->setCtl3D(false);
  EXPECT_EQ(tree->handle(), w);  // the same window: procedures put in front stay
  EXPECT_FALSE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(GetWindowLongW(w, GWL_STYLE) & WS_BORDER);
  tree->setBorderStyle(ui::BorderStyle::None);
  EXPECT_FALSE(GetWindowLongW(w, GWL_STYLE) & WS_BORDER);
  tree->setBorderStyle(ui::BorderStyle::Single);
  tree->setCtl3D(true);
  EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST(Controls, PanelClickAndMouseEvents) {
  TestForm f;
  f.show();
  auto* area = f.find<ui::Panel>("pFlash");
  int clicks = 0, downs = 0, ups = 0, moves = 0;
  area->onClick = ui::NotifyEvent([&](ui::Component*) { ++clicks; });
  area->onMouseDown = ui::MouseEvent([&](ui::Component*, ui::MouseButton b, int, int x, int y) {
    if (b == ui::mbLeft && x == 10 && y == 12) ++downs;
  });
  area->onMouseUp = ui::MouseEvent([&](ui::Component*, ui::MouseButton, int, int, int) { ++ups; });
  area->onMouseMove = ui::MouseMoveEvent([&](ui::Component*, int, int, int) { ++moves; });
  HWND w = area->handle();
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 12));
  SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(11, 12));
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(11, 12));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(moves, 1);
  // Released outside: no click.
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 12));
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(-5), 12));
  EXPECT_EQ(clicks, 1);
  EXPECT_NE(GetCapture(), w);
}

TEST(Controls, KeyEventsMaySwallowTheKey) {
  TestForm f;
  f.show();
  auto* tree = f.find<ui::TreeView>("lbMenu");
  tree->items().add("a");
  tree->items().add("b");
  tree->setSelected(tree->items().item(0));
  tree->onKeyDown = ui::KeyEvent([](ui::Component*, WORD& key, int) {
    if (key == VK_DOWN) key = 0;
  });
  SendMessageW(tree->handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(tree->selected(), tree->items().item(0));
  tree->onKeyDown.clear();
  SendMessageW(tree->handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(tree->selected(), tree->items().item(1));
}

TEST(Controls, WindowMadeWhileTheFormIsReadTakesTheLaterSettings) {
  // A component that asks for the form's window as soon as it is made (as a frame
  // skin does), ahead of the controls.
  ui::registerClass("TEarlyWindow", [](ui::Component* owner) -> ui::Component* {
    if (auto* f = dynamic_cast<ui::Form*>(owner)) f->handle();
    return ui::make<ui::Component>(owner);
  });
  TestForm f(nullptr, false);
  f.read("f: TForm {\n  Width = 500\n  Height = 400\n  Menu = m\n"
         "  early: TEarlyWindow {\n  }\n"
         "  banner: TPanel {\n    Align = alBottom\n    Height = 55\n  }\n"
         "  tree: TTreeView {\n    Align = alLeft\n    Width = 153\n    Font.Height = -12\n"
         "    Indent = 35\n    ReadOnly = True\n    RowSelect = True\n    ShowRoot = False\n  }\n"
         "  m: TMainMenu {\n    item: TMenuItem {\n      Caption = \"x\"\n    }\n  }\n}\n");
  auto* tree = f.find<ui::TreeView>("tree");
  ASSERT_TRUE(tree->handleAllocated());
  HWND w = tree->handle();
  LONG style = GetWindowLongW(w, GWL_STYLE);
  EXPECT_FALSE(style & TVS_LINESATROOT);
  EXPECT_FALSE(style & TVS_EDITLABELS);
  EXPECT_TRUE(style & TVS_FULLROWSELECT);
  EXPECT_EQ(SendMessageW(w, TVM_GETINDENT, 0, 0), 35);
  LOGFONTW lf{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -12);
  EXPECT_EQ(GetMenu(f.handle()), f.menu()->handle());
  RECT client;
  GetClientRect(f.handle(), &client);
  RECT t;
  GetWindowRect(w, &t);
  MapWindowPoints(nullptr, f.handle(), reinterpret_cast<POINT*>(&t), 2);
  EXPECT_EQ(t.right - t.left, 153);
  EXPECT_EQ(t.bottom, client.bottom - 55);  // aligned with the menu bar in place
}
