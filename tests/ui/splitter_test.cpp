// The splitter between the tree and the player area: limits, collapse, the hatched
// line, applying on release and cancelling with Escape.
#include <gtest/gtest.h>

#include "probe.h"

using namespace uitest;

namespace {

LPARAM at(int x, int y) { return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y))); }

struct SplitterFixture : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<TestForm>();
    form->show();
    pump();
    split = form->find<ui::Splitter>("Splitter1");
    tree = form->find<ui::TreeView>("lbMenu");
    wnd = split->handle();
  }
  // Drags the splitter by dx (press at its middle, move, then release when asked).
  void press() { SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at(1, 20)); }
  void move(int dx) { SendMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, at(1 + dx, 20)); }
  void release(int dx) { SendMessageW(wnd, WM_LBUTTONUP, 0, at(1 + dx, 20)); }
  void drag(int dx) {
    press();
    move(dx);
    release(dx);
    pump();
  }
  int clientWidth() {
    RECT r;
    GetClientRect(form->handle(), &r);
    return r.right;
  }
  std::unique_ptr<TestForm> form;
  ui::Splitter* split = nullptr;
  ui::TreeView* tree = nullptr;
  HWND wnd = nullptr;
};

}  // namespace

TEST_F(SplitterFixture, FindsTheTreeAndHasItsDefaults) {
  EXPECT_EQ(split->findControl(), tree);
  EXPECT_EQ(split->minSize(), 30);
  EXPECT_EQ(split->width(), 3);
  EXPECT_EQ(split->cursor(), ui::crHSplit);
}

TEST_F(SplitterFixture, AppliesTheNewWidthOnRelease) {
  press();
  move(47);
  EXPECT_TRUE(split->dragging());
  EXPECT_EQ(split->pendingSize(), 200);
  EXPECT_EQ(tree->width(), 153);  // nothing moves until the button is released
  release(47);
  pump();
  EXPECT_FALSE(split->dragging());
  EXPECT_EQ(tree->width(), 200);
  EXPECT_EQ(split->left(), 200);
  EXPECT_EQ(form->find<ui::Panel>("pFlash")->left(), 203);
}

TEST_F(SplitterFixture, TreeOfThirtyOrLessCollapses) {
  drag(31 - 153);
  EXPECT_EQ(tree->width(), 31);
  drag(30 - 31);
  EXPECT_EQ(tree->width(), 0);
  EXPECT_EQ(split->left(), 0);
  // The collapsed tree comes back with a drag of the splitter.
  EXPECT_EQ(split->findControl(), tree);
  drag(120);
  EXPECT_EQ(tree->width(), 120);
}

TEST_F(SplitterFixture, PlayerAreaKeepsThirtyPixels) {
  drag(5000);
  EXPECT_EQ(tree->width(), clientWidth() - 3 - 30);
  EXPECT_EQ(form->find<ui::Panel>("pFlash")->width(), 30);
}

TEST_F(SplitterFixture, EscapeCancels) {
  press();
  move(60);
  EXPECT_EQ(split->pendingSize(), 213);
  SendMessageW(wnd, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(split->dragging());
  release(60);
  pump();
  EXPECT_EQ(tree->width(), 153);
  EXPECT_NE(GetCapture(), wnd);
}

TEST_F(SplitterFixture, DrawsAHatchedLineOverTheParentWhileDragging) {
  auto* area = form->find<ui::Panel>("pFlash");
  area->setBevelOuter(ui::Bevel::None);
  area->repaint();
  pump();
  HDC dc = GetDC(form->handle());
  int x = 153 + 80;
  COLORREF before0 = GetPixel(dc, x, 40), before1 = GetPixel(dc, x + 1, 40);
  press();
  move(80);
  COLORREF during0 = GetPixel(dc, x, 40), during1 = GetPixel(dc, x + 1, 40);
  SendMessageW(wnd, WM_KEYDOWN, VK_ESCAPE, 0);
  COLORREF after0 = GetPixel(dc, x, 40);
  ReleaseDC(form->handle(), dc);
  if (before0 == CLR_INVALID) GTEST_SKIP() << "the screen cannot be read back here";
  EXPECT_EQ(before0, RGB(0x00, 0x80, 0xFF));  // the area's colour $00FF8000
  EXPECT_EQ(before1, before0);
  // A hatch: neighbouring pixels differ, one of them inverted.
  EXPECT_NE(during0, during1);
  EXPECT_TRUE(during0 == (before0 ^ 0xFFFFFF) || during1 == (before1 ^ 0xFFFFFF));
  EXPECT_EQ(after0, before0);  // the line goes away again
}

TEST(Splitters, TopAlignedSplitterResizesHeights) {
  TestForm f(nullptr, false);
  f.read("f: TForm {\n  Width = 400\n  Height = 400\n"
         "  top: TPanel {\n    Align = alTop\n    Height = 100\n  }\n"
         "  split: TSplitter {\n    Align = alTop\n    Top = 100\n    Height = 4\n  }\n"
         "  rest: TPanel {\n    Align = alClient\n  }\n}\n");
  f.show();
  auto* split = f.find<ui::Splitter>("split");
  auto* top = f.find<ui::Panel>("top");
  EXPECT_EQ(split->top(), 100);
  EXPECT_EQ(split->findControl(), top);
  HWND w = split->handle();
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 1));
  SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 41));
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(10, 41));
  EXPECT_EQ(top->height(), 140);
  EXPECT_EQ(split->top(), 140);
  EXPECT_EQ(f.find<ui::Panel>("rest")->top(), 144);
  int moved = 0;
  split->onMoved = ui::NotifyEvent([&](ui::Component*) { ++moved; });
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 1));
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(10, 11));
  EXPECT_EQ(top->height(), 150);
  EXPECT_EQ(moved, 1);
}
