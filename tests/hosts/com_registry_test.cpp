// The registry of built-in classes and the embedding interface's common part.
#include <gtest/gtest.h>

#include "com_doubles.h"
#include "hosts/com/class_ids.h"
#include "hosts/com/errors.h"
#include "hosts/com/registry.h"
#include "ui/error.h"

namespace {

using namespace hosts::com;
using hosts_test::ComponentDouble;

// {0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}: answered by no class.
constexpr CLSID kNobody = {0x0f1e2d3c, 0x4b5a, 0x6978, {0x87, 0x96, 0xa5, 0xb4, 0xc3, 0xd2, 0xe1, 0xf0}};

Factory doubleFactory(int* made) {
  return [made] {
    ++*made;
    return Ptr<IUnknown>::adopt(static_cast<IDispatch*>(new ComponentDouble));
  };
}

TEST(ClassRegistry, UnknownClassFailsWithTheSystemsText) {
  std::string expected = systemText(REGDB_E_CLASSNOTREG);
  if (expected.empty()) expected = "OLE error 80040154";
  try {
    createInstance(kNobody);
    FAIL() << "no class answers this identifier";
  } catch (const ui::Error& e) {
    EXPECT_EQ(std::string(e.what()), expected);
  }
}

TEST(ClassRegistry, TheTwoIdentifiersParse) {
  EXPECT_TRUE(IsEqualCLSID(parseClsid(L"{D27CDB6E-AE6D-11CF-96B8-444553540000}"), kMoviePlayerClsid));
  EXPECT_TRUE(IsEqualCLSID(parseClsid(L"{8856f961-340a-11d0-a96b-00c04fd705a2}"), kWebPageClsid));
  EXPECT_THROW(parseClsid(L"D27CDB6E-AE6D-11CF-96B8-444553540000"), ui::Error);
  EXPECT_THROW(parseClsid(L"{zzzzzzzz-AE6D-11CF-96B8-444553540000}"), ui::Error);
}

TEST(ClassRegistry, RegisteredFactoryMakesEachInstance) {
  int made = 0;
  ScopedRegistration reg(kNobody, doubleFactory(&made));
  Ptr<IUnknown> a = createInstance(kNobody);
  Ptr<IUnknown> b = createInstance(kNobody);
  EXPECT_EQ(made, 2);
  EXPECT_NE(a.get(), b.get());
  auto embedding = createInstance<IEmbeddedComponent>(kNobody, IID_IEmbeddedComponent);
  EXPECT_TRUE(embedding);
  auto dispatch = embedding.query<IDispatch>(IID_IDispatch);
  EXPECT_TRUE(dispatch);
}

TEST(ClassRegistry, ARegistrationReplacesAndScopesRestore) {
  int first = 0, second = 0;
  registerClass(kNobody, doubleFactory(&first));
  {
    ScopedRegistration reg(kNobody, doubleFactory(&second));
    createInstance(kNobody);
  }
  createInstance(kNobody);
  EXPECT_EQ(second, 1);
  EXPECT_EQ(first, 1);
  unregisterClass(kNobody);
  EXPECT_FALSE(isRegistered(kNobody));
  EXPECT_THROW(createInstance(kNobody), ui::Error);
}

TEST(ClassRegistry, MissingInterfaceFails) {
  ScopedRegistration reg(kNobody, [] {
    return Ptr<IUnknown>::adopt(static_cast<IDispatch*>(new hosts_test::Gadget));
  });
  EXPECT_THROW((createInstance<IEmbeddedComponent>(kNobody, IID_IEmbeddedComponent)), ui::Error);
}

TEST(PropertyBags, ValuesByNameAndFlags) {
  PropertyBag bag;
  bag.set(L"Loop", L"True");
  bag.set(L"Menu", L"false");
  bag.set(L"Quality", L"High");
  bag.set(L"loop", L"-1");
  EXPECT_EQ(bag.items().size(), 3u);
  EXPECT_TRUE(bag.flag(L"LOOP", false));
  EXPECT_FALSE(bag.flag(L"Menu", true));
  EXPECT_TRUE(bag.flag(L"Absent", true));
  EXPECT_EQ(bag.text(L"quality"), L"High");
  EXPECT_EQ(bag.text(L"Scale", L"ShowAll"), L"ShowAll");
}

TEST(Embedding, SettingsAndBoundsReachTheComponent) {
  auto c = make<ComponentDouble>();
  PropertyBag bag;
  bag.set(L"WMode", L"Window");
  EXPECT_EQ(c->LoadSettings(&bag), S_OK);
  EXPECT_EQ(c->settingsLoads, 1);
  EXPECT_EQ(c->settings().text(L"WMode"), L"Window");
  RECT r{1, 2, 30, 40};
  EXPECT_EQ(c->SetBounds(&r), S_OK);
  EXPECT_EQ(c->CreateComponentWindow(nullptr, nullptr), E_INVALIDARG);
}

}  // namespace
