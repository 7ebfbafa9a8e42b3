// The tree's entries and its click event: raised on release over the tree after the
// press moved the selection, once for a double click, never for the keyboard.
#include <gtest/gtest.h>

#include "probe.h"

using namespace uitest;

namespace {

struct TreeFixture : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<TestForm>();
    tree = form->find<ui::TreeView>("lbMenu");
    for (int i = 0; i < 5; ++i) {
      ui::TreeNode* n = tree->items().add("Lesson " + std::to_string(i + 1), &data[i]);
      n->setImageIndex(0);
      n->setSelectedIndex(1);
    }
    form->show();
    pump();
    wnd = tree->handle();
  }
  POINT centre(int index) {
    // TVM_GETITEMRECT takes the entry's handle in the rectangle it fills.
    union {
      RECT r;
      HTREEITEM item;
    } u{};
    u.item = tree->items().item(index)->handle();
    SendMessageW(wnd, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&u.r));
    RECT r = u.r;
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  static LPARAM at(POINT p) { return MAKELPARAM(p.x, p.y); }
  void click(POINT p) {
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at(p));
    SendMessageW(wnd, WM_LBUTTONUP, 0, at(p));
  }
  std::unique_ptr<TestForm> form;
  ui::TreeView* tree = nullptr;
  HWND wnd = nullptr;
  int data[5] = {};
};

}  // namespace

TEST_F(TreeFixture, HoldsEntriesWithDataAndImages) {
  EXPECT_EQ(tree->items().count(), 5);
  EXPECT_EQ(SendMessageW(wnd, TVM_GETCOUNT, 0, 0), 5);
  ui::TreeNode* n = tree->items().item(3);
  EXPECT_EQ(n->text(), "Lesson 4");
  EXPECT_EQ(n->data(), &data[3]);
  EXPECT_EQ(n->index(), 3);
  TVITEMW it{};
  it.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  it.hItem = n->handle();
  ASSERT_TRUE(SendMessageW(wnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it)));
  EXPECT_EQ(it.iImage, 0);
  EXPECT_EQ(it.iSelectedImage, 1);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(wnd, TVM_GETIMAGELIST, TVSIL_NORMAL, 0)),
            form->find<ui::ImageList>("ImageList1")->handle());
  EXPECT_EQ(SendMessageW(wnd, TVM_GETINDENT, 0, 0), 35);
  LONG style = GetWindowLongW(wnd, GWL_STYLE);
  EXPECT_FALSE(style & TVS_LINESATROOT);
  EXPECT_FALSE(style & TVS_EDITLABELS);
  EXPECT_TRUE(style & TVS_FULLROWSELECT);
  EXPECT_TRUE(style & TVS_DISABLEDRAGDROP);
  EXPECT_EQ(tree->items().item(0)->selectedIndex(), 1);
  ui::TreeNode* fresh = tree->items().add("x");
  EXPECT_EQ(fresh->selectedIndex(), 0);
  EXPECT_EQ(fresh->imageIndex(), -1);
}

TEST_F(TreeFixture, ClickSelectsThenRaisesTheEventOnRelease) {
  EXPECT_EQ(tree->selected(), nullptr);
  POINT p = centre(2);
  SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at(p));
  EXPECT_EQ(form->clicks, 0);  // not on the press
  EXPECT_EQ(tree->selected(), tree->items().item(2));
  SendMessageW(wnd, WM_LBUTTONUP, 0, at(p));
  EXPECT_EQ(form->clicks, 1);
  EXPECT_EQ(form->selectedAtClick, tree->items().item(2));
  // Again on the same entry: raised again.
  click(p);
  EXPECT_EQ(form->clicks, 2);
}

TEST_F(TreeFixture, ReleaseOutsideTheTreeRaisesNothing) {
  SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at(centre(1)));
  SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 30000));
  EXPECT_EQ(form->clicks, 0);
  EXPECT_EQ(tree->selected(), tree->items().item(1));
}

TEST_F(TreeFixture, DoubleClickRaisesOnce) {
  POINT p = centre(4);
  SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at(p));
  SendMessageW(wnd, WM_LBUTTONUP, 0, at(p));
  SendMessageW(wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, at(p));
  SendMessageW(wnd, WM_LBUTTONUP, 0, at(p));
  pump();
  EXPECT_EQ(form->clicks, 1);
  EXPECT_EQ(form->selectedAtClick, tree->items().item(4));
}

TEST_F(TreeFixture, KeyboardSelectionRaisesNoClick) {
  click(centre(0));
  ASSERT_EQ(form->clicks, 1);
  int changes = 0;
  tree->onChange = ui::NotifyEvent([&](ui::Component*) { ++changes; });
  SetFocus(wnd);
  SendMessageW(wnd, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageW(wnd, WM_KEYUP, VK_DOWN, 0);
  pump();
  EXPECT_EQ(tree->selected(), tree->items().item(1));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(form->clicks, 1);
  // The next mouse click plays the entry the keyboard selected... after moving to it.
  click(centre(1));
  EXPECT_EQ(form->clicks, 2);
  EXPECT_EQ(form->selectedAtClick, tree->items().item(1));
}

TEST_F(TreeFixture, ClickOnTheEmptyPartKeepsTheSelection) {
  POINT empty{20, tree->clientHeight() - 3};
  ASSERT_EQ(tree->getNodeAt(empty.x, empty.y), nullptr);
  click(empty);
  EXPECT_EQ(form->clicks, 1);
  EXPECT_EQ(form->selectedAtClick, nullptr);  // nothing selected yet
  click(centre(3));
  click(empty);
  EXPECT_EQ(form->clicks, 3);
  EXPECT_EQ(form->selectedAtClick, tree->items().item(3));
}

TEST_F(TreeFixture, ClearEmptiesTheControl) {
  click(centre(1));
  tree->items().clear();
  EXPECT_EQ(tree->items().count(), 0);
  EXPECT_EQ(SendMessageW(wnd, TVM_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(tree->selected(), nullptr);
}

TEST_F(TreeFixture, NestedEntriesAndChanges) {
  ui::TreeNode* parent = tree->items().item(1);
  ui::TreeNode* child = tree->items().addChild(parent, "child", &data[0]);
  EXPECT_EQ(child->parent(), parent);
  EXPECT_EQ(parent->count(), 1);
  EXPECT_EQ(tree->items().count(), 6);
  EXPECT_EQ(tree->items().item(2), child);  // display order
  EXPECT_EQ(child->absoluteIndex(), 2);
  child->setText(ui::utf8ToGbk("第一课"));
  wchar_t buf[64] = {};
  TVITEMW it{};
  it.mask = TVIF_TEXT;
  it.hItem = child->handle();
  it.pszText = buf;
  it.cchTextMax = 64;
  ASSERT_TRUE(SendMessageW(wnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it)));
  EXPECT_EQ(std::wstring(buf), L"第一课");
  tree->items().remove(parent);
  EXPECT_EQ(tree->items().count(), 4);
  EXPECT_EQ(SendMessageW(wnd, TVM_GETCOUNT, 0, 0), 4);
}

TEST_F(TreeFixture, ImageListFollowsTheTree) {
  auto* list = form->find<ui::ImageList>("ImageList1");
  tree->setImages(nullptr);
  EXPECT_EQ(SendMessageW(wnd, TVM_GETIMAGELIST, TVSIL_NORMAL, 0), 0);
  tree->setImages(list);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(wnd, TVM_GETIMAGELIST, TVSIL_NORMAL, 0)), list->handle());
}

TEST_F(TreeFixture, EntriesSurviveANewWindow) {
  tree->recreateWnd();
  EXPECT_EQ(SendMessageW(tree->handle(), TVM_GETCOUNT, 0, 0), 5);
  EXPECT_EQ(tree->items().item(4)->text(), "Lesson 5");
  EXPECT_NE(tree->items().item(4)->handle(), nullptr);
}

TEST_F(TreeFixture, FocusSelectsNothingByItself) {
  SetForegroundWindow(form->handle());
  int changes = 0;
  tree->onChange = ui::NotifyEvent([&](ui::Component*) { ++changes; });
  tree->setFocus();
  pump();
  EXPECT_TRUE(tree->focused());
  EXPECT_EQ(tree->selected(), nullptr);
  EXPECT_EQ(changes, 0);
}

TEST_F(TreeFixture, IndentSurvivesANewImageList) {
  ui::ImageList other(nullptr);
  other.setWidth(16);
  other.setHeight(16);
  tree->setImages(&other);
  EXPECT_EQ(SendMessageW(wnd, TVM_GETINDENT, 0, 0), 35);
  tree->setImages(form->find<ui::ImageList>("ImageList1"));
  EXPECT_EQ(SendMessageW(wnd, TVM_GETINDENT, 0, 0), 35);
  tree->setIndent(40);
  EXPECT_EQ(SendMessageW(wnd, TVM_GETINDENT, 0, 0), 40);
}
