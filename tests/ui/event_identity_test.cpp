// Whose a handler is: handlers bound from a form description belong to the form,
// handlers bound in code carry the owner given to them, and a component can tell its
// own handler from one that somebody else bound.
#include <gtest/gtest.h>

#include "probe.h"

using namespace uitest;

namespace {

ui::NotifyEvent handlerOf(const void* owner, const char* name, int* calls) {
  return ui::NotifyEvent([calls](ui::Component*) { ++*calls; }, name, owner);
}

}  // namespace

TEST(EventIdentity, HandlersFromTheDescriptionBelongToTheForm) {
  TestForm f;
  auto* n3 = f.find<ui::MenuItem>("N3");
  EXPECT_EQ(n3->onClick.handlerOwner(), &f);
  EXPECT_TRUE(n3->onClick.isHandler(&f, "N3Click"));
  EXPECT_FALSE(n3->onClick.isHandler(&f, "N5Click"));
  TestForm other;
  EXPECT_FALSE(n3->onClick.isHandler(&other, "N3Click"));
}

TEST(EventIdentity, OwnerAndNameTellHandlersApart) {
  int a = 0, b = 0;
  ui::Component mine(nullptr), theirs(nullptr);
  ui::NotifyEvent e = handlerOf(&mine, "Draw", &a);
  EXPECT_TRUE(e.isHandler(&mine, "Draw"));
  EXPECT_FALSE(e.isHandler(&theirs, "Draw"));
  EXPECT_FALSE(e.isHandler(&mine, "Measure"));
  e = handlerOf(&theirs, "Draw", &b);
  EXPECT_FALSE(e.isHandler(&mine, "Draw"));
  e(nullptr);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 1);
}

TEST(EventIdentity, AnEmptyOrAnonymousEventIsNobodys) {
  ui::Component mine(nullptr);
  ui::NotifyEvent none;
  EXPECT_FALSE(none.isHandler(&mine, ""));
  EXPECT_EQ(none.handlerOwner(), nullptr);
  ui::NotifyEvent anonymous([](ui::Component*) {});
  EXPECT_FALSE(anonymous.isHandler(nullptr, ""));
  ui::NotifyEvent emptyFunction(nullptr, "Draw", &mine);  // no callable: no owner either
  EXPECT_FALSE(emptyFunction.isHandler(&mine, "Draw"));
  int calls = 0;
  ui::NotifyEvent cleared = handlerOf(&mine, "Draw", &calls);
  cleared.clear();
  EXPECT_FALSE(cleared.isHandler(&mine, "Draw"));
  EXPECT_EQ(cleared.handlerOwner(), nullptr);
  EXPECT_TRUE(cleared.handlerName().empty());
}

TEST(EventIdentity, TheWriterKeepsOnlyTheFormsHandlers) {
  TestForm f;
  auto* n3 = f.find<ui::MenuItem>("N3");
  auto* n5 = f.find<ui::MenuItem>("N5");
  ui::Component skin(nullptr);
  n5->onClick = ui::NotifyEvent([](ui::Component*) {}, "SkinClick", &skin);
  std::string text = ui::writeComponent(f);
  EXPECT_NE(text.find("OnClick = N3Click"), std::string::npos) << text;
  EXPECT_EQ(text.find("SkinClick"), std::string::npos) << text;
  // A copy keeps the identity; a handler bound in code without an owner is written.
  ui::NotifyEvent copy = n3->onClick;
  EXPECT_TRUE(copy.isHandler(&f, "N3Click"));
  n5->onClick = ui::NotifyEvent([](ui::Component*) {}, "CodeClick");
  EXPECT_NE(ui::writeComponent(f).find("OnClick = CodeClick"), std::string::npos);
}
