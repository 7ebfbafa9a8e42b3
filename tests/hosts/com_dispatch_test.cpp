// The automation helpers: calls by dispatch identifier and by name, real VARIANTs and
// BSTRs, and the error texts a caller sees.
#include <gtest/gtest.h>

#include "com_doubles.h"
#include "hosts/com/dispatch.h"
#include "hosts/com/errors.h"
#include "hosts/com/event_sink.h"
#include "hosts/com/text.h"
#include "ui/error.h"
#include "ui/text.h"

namespace {

using namespace hosts::com;
using hosts_test::ComponentDouble;
using hosts_test::Gadget;

template <class F>
std::string errorOf(F&& f) {
  try {
    f();
  } catch (const ui::Error& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(DispatchCalls, PutAndGetByIdPassBstrs) {
  auto g = make<Gadget>();
  put(g.get(), 1, Variant(L"影片地址"));
  EXPECT_EQ(g->caption, L"影片地址");
  Variant v = get(g.get(), 1);
  ASSERT_EQ(v.type(), VT_BSTR);
  EXPECT_EQ(SysStringLen(v.get().bstrVal), 4u);
  EXPECT_EQ(v.toString(), L"影片地址");
}

TEST(DispatchCalls, ArgumentsArriveFirstToLast) {
  auto g = make<Gadget>();
  Variant r = call(g.get(), 2, {Variant(L"a"), Variant(7), Variant::omitted()});
  EXPECT_EQ(r.toInt(), 3);
  ASSERT_EQ(g->calls.size(), 1u);
  ASSERT_EQ(g->calls[0].size(), 3u);
  EXPECT_EQ(g->calls[0][0].toString(), L"a");
  EXPECT_EQ(g->calls[0][1].toInt(), 7);
  EXPECT_TRUE(g->calls[0][2].isOmitted());
}

TEST(DispatchCalls, NamesAreFoundWithoutRegardToCase) {
  auto g = make<Gadget>();
  putByName(g.get(), L"caption", Variant(L"x"));
  EXPECT_EQ(getByName(g.get(), L"CAPTION").toString(), L"x");
  EXPECT_EQ(idOfName(g.get(), L"Run"), 2);
}

TEST(DispatchCalls, ObjectResultsChainLikeLateBoundCalls) {
  auto outer = make<Gadget>();
  auto inner = make<Gadget>();
  outer->child = Ptr<DispatchObject>(inner.get());
  Ptr<IDispatch> child = objectOf(getByName(outer.get(), L"Child"));
  putByName(child.get(), L"Caption", Variant(L"no"));
  EXPECT_EQ(inner->caption, L"no");
}

TEST(DispatchCalls, ObjectsAreFreedWithTheirLastReference) {
  bool destroyed = false;
  {
    auto g = make<Gadget>(&destroyed);
    Variant held(static_cast<IDispatch*>(g.get()));
    EXPECT_EQ(g->refCount(), 2u);
  }
  EXPECT_TRUE(destroyed);
}

TEST(DispatchErrors, UnknownMemberNamesTheMember) {
  auto g = make<Gadget>();
  EXPECT_EQ(errorOf([&] { getByName(g.get(), L"Scroll"); }),
            "Method 'Scroll' not supported by automation object");
  EXPECT_EQ(errorOf([&] { putByName(g.get(), L"Bogus", Variant(1)); }),
            "Method 'Bogus' not supported by automation object");
}

TEST(DispatchErrors, EmptyResultWhereAnObjectWasNeeded) {
  auto g = make<Gadget>();
  EXPECT_EQ(errorOf([&] { objectOf(getByName(g.get(), L"Nothing")); }), "Invalid variant operation");
  EXPECT_EQ(errorOf([&] { objectOf(getByName(g.get(), L"Child")); }), "Invalid variant operation");
  EXPECT_EQ(errorOf([&] { objectOf(Variant(L"text")); }), "Invalid variant operation");
}

TEST(DispatchErrors, ComponentDescriptionComesFirst) {
  auto g = make<Gadget>();
  EXPECT_EQ(errorOf([&] { call(g.get(), 5); }), ui::narrow(L"组件自己的说明"));
}

TEST(DispatchErrors, SystemTextForAKnownCode) {
  auto g = make<Gadget>();
  std::string text = systemText(E_ACCESSDENIED);
  ASSERT_FALSE(text.empty()) << "the system has a message for E_ACCESSDENIED";
  EXPECT_EQ(text.find('\n'), std::string::npos);
  EXPECT_EQ(errorOf([&] { call(g.get(), 6); }), text);
}

TEST(DispatchErrors, OleErrorWhenTheSystemHasNoText) {
  auto g = make<Gadget>();
  ASSERT_TRUE(systemText(HRESULT(0x8004ABCD)).empty());
  EXPECT_EQ(errorOf([&] { call(g.get(), 7); }), "OLE error 8004abcd");
}

TEST(DispatchErrors, UnknownIdFailsWithTheSystemsText) {
  auto g = make<Gadget>();
  EXPECT_EQ(errorOf([&] { call(g.get(), 999); }), failureText(DISP_E_MEMBERNOTFOUND));
}

TEST(DispatchErrors, ExcepInfoWithoutDescriptionFallsBack) {
  EXCEPINFO info{};
  EXPECT_EQ(failureText(HRESULT(0x8004ABCD), &info), "OLE error 8004abcd");
  info.bstrDescription = SysAllocString(L"");
  EXPECT_EQ(failureText(HRESULT(0x8004ABCD), &info), "OLE error 8004abcd");
  SysFreeString(info.bstrDescription);
}

TEST(EventSinks, FiredEventsReachTheirHandlersById) {
  auto component = make<ComponentDouble>();
  auto sink = make<EventSink>();
  std::vector<std::wstring> seen;
  sink->on(150, [&](const DispArgs& a) { seen.push_back(a.string(0) + L"|" + a.string(1)); });
  sink->on(1958, [&](const DispArgs& a) { seen.push_back(std::to_wstring(a.integer(0))); });
  component->Advise(sink.get());
  component->fire(150, {Variant(L"cmd"), Variant(L"args")});
  component->fire(1958, {Variant(42)});
  component->fire(197, {Variant(L"unbound")});
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], L"cmd|args");
  EXPECT_EQ(seen[1], L"42");
  component->Advise(nullptr);
  component->fire(1958, {Variant(1)});
  EXPECT_EQ(seen.size(), 2u);
}

TEST(EventSinks, AFailingHandlerIsReportedToTheCaller) {
  auto sink = make<EventSink>();
  sink->on(1, [](const DispArgs&) { throw ui::Error("handler failed"); });
  EXCEPINFO info{};
  DISPPARAMS none{};
  EXPECT_EQ(sink->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, &info, nullptr), DISP_E_EXCEPTION);
  EXPECT_EQ(failureText(DISP_E_EXCEPTION, &info), "handler failed");
  SysFreeString(info.bstrDescription);
}

}  // namespace
