// The object machine: functions and closures, registers, objects and prototypes,
// exceptions, and the budgets that stop runaway scripts.
#include <gtest/gtest.h>

#include "movie_fixtures.h"
#include "script_fixtures.h"

using movie_test::runTrace;
using movie_test::scriptedMovie;
using movie_test::traceOf;
using swf::Actions;
using swf::PushValue;
using Lines = std::vector<std::string>;

namespace {

// Calls the function in variable name with numeric arguments and traces the result.
Actions& traceCall(Actions& a, const std::string& name, std::vector<PushValue> args) {
  std::vector<PushValue> pushed(args.rbegin(), args.rend());
  pushed.push_back(int(args.size()));
  pushed.push_back(name);
  return a.push(pushed).op(Actions::kCallFunction).op(Actions::kTrace);
}

}  // namespace

TEST(ScriptMachine, FunctionsTakeArgumentsAndReturn) {
  Actions body;
  body.push({"a"}).op(Actions::kGetVariable).push({"b"}).op(Actions::kGetVariable).op(Actions::kMultiply).op(Actions::kReturn);
  Actions a;
  a.function("mul", {"a", "b"}, body);
  traceCall(a, "mul", {6, 7});
  EXPECT_EQ(traceOf(a), (Lines{"42"}));
}

TEST(ScriptMachine, ClosuresKeepTheirScope) {
  // function make(n) { return function () { return n; }; }  trace(make(5)());
  Actions inner;
  inner.push({"n"}).op(Actions::kGetVariable).op(Actions::kReturn);
  Actions outer;
  outer.function("", {}, inner).op(Actions::kReturn);
  Actions a;
  a.function("make", {"n"}, outer);
  a.push({5, 1, "make"}).op(Actions::kCallFunction).storeRegister(1).op(Actions::kPop);
  a.push({0, PushValue::reg(1), PushValue::undefined()}).op(Actions::kCallMethod).op(Actions::kTrace);
  EXPECT_EQ(traceOf(a), (Lines{"5"}));
}

TEST(ScriptMachine, DefineFunction2KeepsParametersInRegisters) {
  // Registers: 1 this (preloaded), 2 x. Returns x + 1; the name x is not a variable.
  Actions body;
  body.push({PushValue::reg(2), 1}).op(Actions::kAdd2).op(Actions::kReturn);
  Actions a;
  a.function2("inc", 3, 0x0001, {{2, "x"}}, body);
  traceCall(a, "inc", {41});
  EXPECT_EQ(traceOf(a), (Lines{"42"}));
}

TEST(ScriptMachine, ObjectsPrototypesAndInstanceOf) {
  // function A() { this.v = 1; }  A.prototype.get = function () { return this.v + 10; };
  Actions ctor;
  ctor.push({"this"}).op(Actions::kGetVariable).push({"v", 1}).op(Actions::kSetMember);
  Actions get;
  get.push({"this"}).op(Actions::kGetVariable).push({"v"}).op(Actions::kGetMember).push({10}).op(Actions::kAdd2).op(Actions::kReturn);
  Actions a;
  a.function("A", {}, ctor);
  a.push({"A"}).op(Actions::kGetVariable).push({"prototype"}).op(Actions::kGetMember).push({"get"});
  a.function("", {}, get).op(Actions::kSetMember);
  a.push({"o", 0, "A"}).op(Actions::kNewObject).op(Actions::kSetVariable);
  a.push({0, "o"}).op(Actions::kGetVariable).push({"get"}).op(Actions::kCallMethod).op(Actions::kTrace);
  a.push({"o"}).op(Actions::kGetVariable).push({"A"}).op(Actions::kGetVariable).op(Actions::kInstanceOf).op(Actions::kTrace);
  a.push({"o"}).op(Actions::kGetVariable).push({"Array"}).op(Actions::kGetVariable).op(Actions::kInstanceOf).op(Actions::kTrace);
  a.push({"o"}).op(Actions::kGetVariable).op(Actions::kTrace);
  EXPECT_EQ(traceOf(a), (Lines{"11", "true", "false", "[object Object]"}));
}

TEST(ScriptMachine, ExtendsLinksClassesAndSuperCallsTheParent) {
  // class B extends A; B's constructor calls super(), its get() calls super.get() + 100.
  Actions ctorA;
  ctorA.push({"this"}).op(Actions::kGetVariable).push({"v", 1}).op(Actions::kSetMember);
  Actions getA;
  getA.push({"this"}).op(Actions::kGetVariable).push({"v"}).op(Actions::kGetMember).op(Actions::kReturn);
  Actions ctorB;
  ctorB.push({0, "super"}).op(Actions::kGetVariable).push({PushValue::undefined()}).op(Actions::kCallMethod).op(Actions::kPop);
  Actions getB;
  getB.push({0, "super"}).op(Actions::kGetVariable).push({"get"}).op(Actions::kCallMethod).push({100}).op(Actions::kAdd2).op(Actions::kReturn);
  Actions a;
  a.function("A", {}, ctorA).function("B", {}, ctorB);
  a.push({"A"}).op(Actions::kGetVariable).push({"prototype"}).op(Actions::kGetMember).push({"get"});
  a.function("", {}, getA).op(Actions::kSetMember);
  a.push({"B"}).op(Actions::kGetVariable).push({"A"}).op(Actions::kGetVariable).op(Actions::kExtends);
  a.push({"B"}).op(Actions::kGetVariable).push({"prototype"}).op(Actions::kGetMember).push({"get"});
  a.function("", {}, getB).op(Actions::kSetMember);
  a.push({"o", 0, "B"}).op(Actions::kNewObject).op(Actions::kSetVariable);
  a.push({0, "o"}).op(Actions::kGetVariable).push({"get"}).op(Actions::kCallMethod).op(Actions::kTrace);
  a.push({"o"}).op(Actions::kGetVariable).push({"A"}).op(Actions::kGetVariable).op(Actions::kInstanceOf).op(Actions::kTrace);
  EXPECT_EQ(traceOf(a), (Lines{"101", "true"}));
}

TEST(ScriptMachine, TryCatchFinallyAndUncaughtThrows) {
  Actions body, handler, last;
  body.trace("try").push({"boom"}).op(Actions::kThrow).trace("not reached");
  handler.push({"e"}).op(Actions::kGetVariable).op(Actions::kTrace);
  last.trace("finally");
  Actions a;
  a.tryCatch(body, "e", handler, &last);
  a.trace("after");
  Actions b;
  b.push({"lost"}).op(Actions::kThrow);
  EXPECT_EQ(traceOf(a), (Lines{"try", "boom", "finally", "after"}));
  // An uncaught throw ends that script only; the next frame's script runs.
  Actions next;
  next.trace("frame 2");
  EXPECT_EQ(runTrace(scriptedMovie({b, next}), 2), (Lines{"frame 2"}));
}

TEST(ScriptMachine, ArraysAndTheirMethods) {
  Actions a;
  a.push({1, 2, 3, 3, "Array"}).op(Actions::kNewObject).storeRegister(1).op(Actions::kPop);
  a.push({PushValue::reg(1)}).op(Actions::kTrace);
  a.push({PushValue::reg(1), "length"}).op(Actions::kGetMember).op(Actions::kTrace);
  a.push({0, PushValue::reg(1), "reverse"}).op(Actions::kCallMethod).op(Actions::kPop);
  a.push({"-", 1, PushValue::reg(1), "join"}).op(Actions::kCallMethod).op(Actions::kTrace);
  a.push({0, PushValue::reg(1), "sort"}).op(Actions::kCallMethod).op(Actions::kTrace);
  a.push({"b", "a", 2}).op(Actions::kInitArray).op(Actions::kTrace);
  EXPECT_EQ(traceOf(a), (Lines{"3,2,1", "3", "1-2-3", "1,2,3", "a,b"}));
}

TEST(ScriptMachine, StringMethods) {
  Actions a;
  a.push({"Hello", 1, "String"}).op(Actions::kNewObject).storeRegister(1).op(Actions::kPop);
  a.push({0, PushValue::reg(1), "toUpperCase"}).op(Actions::kCallMethod).op(Actions::kTrace);
  a.push({3, 1, 2, PushValue::reg(1), "substr"}).op(Actions::kCallMethod).op(Actions::kTrace);
  a.push({"l", 1, PushValue::reg(1), "indexOf"}).op(Actions::kCallMethod).op(Actions::kTrace);
  a.push({"a,b,c"}).push({",", 1, "a,b,c", "split"}).op(Actions::kCallMethod).push({"length"}).op(Actions::kGetMember).op(Actions::kTrace);
  a.push({"abc", "length"}).op(Actions::kGetMember).op(Actions::kTrace);
  EXPECT_EQ(traceOf(a), (Lines{"HELLO", "ell", "2", "3", "3"}));
}

TEST(ScriptMachine, EnumerateListsOwnAndInheritedNames) {
  Actions a;
  a.push({"x", 1, "y", 2, 2}).op(Actions::kInitObject).storeRegister(1).op(Actions::kPop);
  auto loop = a.label(), done = a.label();
  a.push({PushValue::reg(1)}).op(Actions::kEnumerate2);
  a.mark(loop).storeRegister(2).push({PushValue::null()}).op(Actions::kEquals2).ifTrue(done);
  a.push({PushValue::reg(2)}).op(Actions::kTrace).jump(loop);
  a.mark(done).op(Actions::kPop);
  EXPECT_EQ(traceOf(a), (Lines{"x", "y"}));
}

TEST(ScriptMachine, GlobalFunctions) {
  Actions a;
  a.push({"0x1A", 1, "parseInt"}).op(Actions::kCallFunction).op(Actions::kTrace);
  a.push({"3.5px", 1, "parseFloat"}).op(Actions::kCallFunction).op(Actions::kTrace);
  a.push({"a b&c", 1, "escape"}).op(Actions::kCallFunction).op(Actions::kTrace);
  a.push({"a%20b", 1, "unescape"}).op(Actions::kCallFunction).op(Actions::kTrace);
  a.push({"x", 1, "isNaN"}).op(Actions::kCallFunction).op(Actions::kTrace);
  a.push({2, -7, 2, "Math"}).op(Actions::kGetVariable).push({"max"}).op(Actions::kCallMethod).op(Actions::kTrace);
  EXPECT_EQ(traceOf(a), (Lines{"26", "3.5", "a%20b%26c", "a b", "true", "2"}));
}

TEST(ScriptMachine, GettersAndSettersOfAddProperty) {
  Actions get, set;
  get.push({42}).op(Actions::kReturn);
  set.push({"v"}).op(Actions::kGetVariable).op(Actions::kTrace);
  Actions a;
  a.push({0, "Object"}).op(Actions::kNewObject).storeRegister(1).op(Actions::kPop);
  a.function("", {"v"}, set).storeRegister(3).op(Actions::kPop);
  a.function("", {}, get).storeRegister(2).op(Actions::kPop);
  a.push({PushValue::reg(3), PushValue::reg(2), "p", 3, PushValue::reg(1), "addProperty"}).op(Actions::kCallMethod).op(Actions::kPop);
  a.push({PushValue::reg(1), "p"}).op(Actions::kGetMember).op(Actions::kTrace);
  a.push({PushValue::reg(1), "p", "hello"}).op(Actions::kSetMember);
  EXPECT_EQ(traceOf(a), (Lines{"42", "hello"}));
}

TEST(ScriptMachine, EndlessLoopIsStoppedAndTheMovieGoesOn) {
  Actions spin;
  auto top = spin.label();
  spin.trace("start").mark(top).jump(top);
  Actions next;
  next.trace("frame 2");
  EXPECT_EQ(runTrace(scriptedMovie({spin, next}), 2), (Lines{"start", "frame 2"}));
}

TEST(ScriptMachine, EndlessRecursionIsStopped) {
  Actions body;
  body.push({0, "f"}).op(Actions::kCallFunction).op(Actions::kReturn);
  Actions a;
  a.function("f", {}, body);
  a.push({0, "f"}).op(Actions::kCallFunction).op(Actions::kPop).trace("not reached");
  Actions next;
  next.trace("frame 2");
  EXPECT_EQ(runTrace(scriptedMovie({a, next}), 2), (Lines{"frame 2"}));
}

TEST(ScriptMachine, UnboundedGrowthIsStopped) {
  // s = "x"; while (true) s = s + s;  -- the string bound ends it.
  Actions a;
  a.push({"s", "x"}).op(Actions::kSetVariable);
  auto top = a.label();
  a.mark(top).push({"s", "s"}).op(Actions::kGetVariable).push({"s"}).op(Actions::kGetVariable).op(Actions::kAdd2).op(Actions::kSetVariable).jump(top);
  Actions b;
  b.push({0, "Array"}).op(Actions::kNewObject).storeRegister(1).op(Actions::kPop);
  auto again = b.label();
  b.mark(again).push({1, 1, PushValue::reg(1), "push"}).op(Actions::kCallMethod).op(Actions::kPop).jump(again);
  Actions next;
  next.trace("frame 2");
  EXPECT_EQ(runTrace(scriptedMovie({a, next}), 2), (Lines{"frame 2"}));
  EXPECT_EQ(runTrace(scriptedMovie({b, next}), 2), (Lines{"frame 2"}));
}
