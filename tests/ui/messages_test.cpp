// The framework messages reach a procedure put in front of a control's window, and
// the form's procedure can be replaced with SetWindowLong(GWL_WNDPROC).
#include <gtest/gtest.h>

#include "probe.h"

using namespace uitest;

namespace {

std::vector<UINT> g_seen;
WNDPROC g_saved = nullptr;

LRESULT CALLBACK spy(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m >= ui::CM_BASE && m < ui::CM_BASE + 0x100) g_seen.push_back(m);
  return CallWindowProcW(g_saved, w, m, wp, lp);
}

struct SpyFixture : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<TestForm>();
    form->show();
    pump();
    g_seen.clear();
  }
  void spyOn(HWND w) {
    g_saved = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&spy)));
    spied = w;
  }
  void TearDown() override {
    if (spied) SetWindowLongPtrW(spied, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_saved));
  }
  bool saw(UINT m) const { return std::find(g_seen.begin(), g_seen.end(), m) != g_seen.end(); }
  std::unique_ptr<TestForm> form;
  HWND spied = nullptr;
};

}  // namespace

TEST_F(SpyFixture, MouseEnterAndLeaveReachTheSubclassProcedure) {
  auto* tree = form->find<ui::TreeView>("lbMenu");
  spyOn(tree->handle());
  SendMessageW(tree->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  EXPECT_TRUE(saw(ui::CM_MOUSEENTER));
  EXPECT_EQ(ui::CM_MOUSEENTER, 0xB013u);
  g_seen.clear();
  SendMessageW(tree->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(12, 10));
  EXPECT_FALSE(saw(ui::CM_MOUSEENTER));  // once per entry
  SendMessageW(tree->handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(saw(ui::CM_MOUSELEAVE));
}

TEST_F(SpyFixture, StateChangesAreAnnounced) {
  auto* panel = form->find<ui::Panel>("pFlash");
  spyOn(panel->handle());
  form->setCtl3D(false);
  form->setCtl3D(true);
  EXPECT_TRUE(saw(ui::CM_PARENTCTL3DCHANGED));
  panel->setEnabled(false);
  EXPECT_TRUE(saw(ui::CM_ENABLEDCHANGED));
  panel->setCaption("new");
  EXPECT_TRUE(saw(ui::CM_TEXTCHANGED));
  panel->setCtl3D(false);
  EXPECT_TRUE(saw(ui::CM_CTL3DCHANGED));
  panel->invalidate();
  EXPECT_TRUE(saw(ui::CM_INVALIDATE));
  g_seen.clear();
  form->setColor(ui::clWhite);
  EXPECT_TRUE(saw(ui::CM_PARENTCOLORCHANGED));
}

TEST_F(SpyFixture, FocusMovesAreAnnounced) {
  auto* tree = form->find<ui::TreeView>("lbMenu");
  spyOn(tree->handle());
  SetForegroundWindow(form->handle());
  tree->setFocus();
  EXPECT_TRUE(saw(ui::CM_FOCUSCHANGED));
  g_seen.clear();
  form->find<ui::Splitter>("Splitter1")->setFocus();
  EXPECT_TRUE(saw(ui::CM_EXIT));
  EXPECT_TRUE(saw(ui::CM_FOCUSCHANGED));  // the other controls hear of the focus too
}

TEST_F(SpyFixture, ReplacedFormProcedureSeesTheFormsMessages) {
  spyOn(form->handle());
  // The framework's own messages to the form go through the current procedure.
  form->setCaption("x");
  EXPECT_TRUE(saw(ui::CM_TEXTCHANGED));
  // And the form still handles what passes on.
  RECT r;
  GetClientRect(form->handle(), &r);
  SetWindowPos(form->handle(), nullptr, 0, 0, 700, 500, SWP_NOZORDER | SWP_NOMOVE);
  EXPECT_EQ(form->width(), 700);
  RECT c;
  GetClientRect(form->handle(), &c);
  EXPECT_EQ(form->find<ui::Panel>("Panel1")->width(), c.right);
}

TEST_F(SpyFixture, CursorOfTheControlIsShown) {
  auto* tree = form->find<ui::TreeView>("lbMenu");
  LRESULT r = SendMessageW(tree->handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(tree->handle()),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_TRUE(r);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}
