// Components: ownership order, freeing order, notifications, names and tags.
#include <gtest/gtest.h>

#include "probe.h"

using namespace uitest;

namespace {

std::vector<std::string>* g_freed = nullptr;

class Tracked : public ui::Component {
 public:
  Tracked(ui::Component* owner, const std::string& n) : ui::Component(owner) { setName(n); }
  ~Tracked() override {
    if (g_freed) g_freed->push_back(name());
  }
};

}  // namespace

TEST(Components, OwnerKeepsOwnershipOrderAndFreesInReverse) {
  std::vector<std::string> freed;
  g_freed = &freed;
  auto* owner = new Tracked(nullptr, "owner");
  auto* a = new Tracked(owner, "a");
  new Tracked(owner, "b");
  new Tracked(a, "a1");
  new Tracked(owner, "c");
  ASSERT_EQ(owner->componentCount(), 3);
  EXPECT_EQ(owner->component(0)->name(), "a");
  EXPECT_EQ(owner->component(2)->name(), "c");
  EXPECT_EQ(owner->component(1)->componentIndex(), 1);
  EXPECT_EQ(owner->findComponent("B"), owner->component(1));  // names compare case-insensitively
  delete owner;
  g_freed = nullptr;
  std::vector<std::string> expected = {"owner", "c", "b", "a", "a1"};
  EXPECT_EQ(freed, expected);
}

TEST(Components, InsertionAndRemovalAreNotified) {
  ui::Component owner(nullptr);
  auto* probe = ui::make<Probe>(&owner);
  auto* list = ui::make<ui::ImageList>(&owner);
  auto* item = ui::make<ui::MenuItem>(&owner);
  ASSERT_EQ(probe->seen.size(), 2u);
  EXPECT_EQ(probe->seen[0], "+TImageList");
  EXPECT_EQ(probe->seen[1], "+TMenuItem");
  list->setName("list");
  delete list;
  EXPECT_EQ(probe->seen.back(), "-list");
  EXPECT_EQ(owner.componentCount(), 2);
  // Moving a component to another owner removes it from the first.
  ui::Component other(nullptr);
  item->setName("item");
  other.insertComponent(item);
  EXPECT_EQ(probe->seen.back(), "-item");
  EXPECT_EQ(item->owner(), &other);
  EXPECT_EQ(owner.componentCount(), 1);
}

TEST(Components, FreeNotificationClearsReferences) {
  TestForm f;
  auto* tree = f.find<ui::TreeView>("lbMenu");
  auto* probe = f.find<Probe>("Probe1");
  delete f.find<ui::ImageList>("ImageList1");
  EXPECT_EQ(tree->images(), nullptr);
  EXPECT_EQ(probe->seen.back(), "-ImageList1");
}

TEST(Components, DuplicateNamesAreRefused) {
  ui::Component owner(nullptr);
  auto* a = new ui::Component(&owner);
  a->setName("x");
  auto* b = new ui::Component(&owner);
  EXPECT_THROW(b->setName("X"), ui::Error);
  a->setTag(999);
  EXPECT_EQ(a->tag(), 999);
}

TEST(Components, DestroyingTheFormDestroysItsWindowFirst) {
  auto* f = new TestForm;
  HWND form = f->handle();
  HWND tree = f->find<ui::TreeView>("lbMenu")->handle();
  ASSERT_TRUE(IsWindow(tree));
  delete f;
  EXPECT_FALSE(IsWindow(form));
  EXPECT_FALSE(IsWindow(tree));
  EXPECT_EQ(ui::WinControl::fromHandle(tree), nullptr);
}

TEST(Components, ReferenceToAComponentOfAnotherOwnerIsCleared) {
  TestForm f;
  auto* tree = f.find<ui::TreeView>("lbMenu");
  auto* menu = f.find<ui::MainMenu>("MainMenu1");
  {
    ui::Component other(nullptr);
    auto* list = ui::make<ui::ImageList>(&other);
    tree->setImages(list);
    menu->setImages(list);
    EXPECT_EQ(tree->images(), list);
  }
  EXPECT_EQ(tree->images(), nullptr);
  EXPECT_EQ(menu->images(), nullptr);
  // The form forgets its menu when the menu goes.
  delete menu;
  EXPECT_EQ(f.menu(), nullptr);
  EXPECT_EQ(GetMenu(f.handle()), nullptr);
}
