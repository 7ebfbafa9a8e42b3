// Values and their conversions as scripts see them, version by version.
#include <gtest/gtest.h>

#include <cmath>

#include "movie/script/value.h"
#include "script_fixtures.h"

using movie_test::traceOf;
using swf::Actions;
using swf::PushValue;
using Lines = std::vector<std::string>;

TEST(ScriptValues, NumbersPrintAsScriptsExpect) {
  using movie::script::numberToString;
  EXPECT_EQ(numberToString(0), "0");
  EXPECT_EQ(numberToString(-0.0), "0");
  EXPECT_EQ(numberToString(42), "42");
  EXPECT_EQ(numberToString(-1.5), "-1.5");
  EXPECT_EQ(numberToString(0.1 + 0.2), "0.3");
  EXPECT_EQ(numberToString(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(numberToString(1e15), "1e+15");
  EXPECT_EQ(numberToString(123456789012345), "123456789012345");
  EXPECT_EQ(numberToString(0.00001), "0.00001");
  EXPECT_EQ(numberToString(0.000001), "1e-6");
  EXPECT_EQ(numberToString(NAN), "NaN");
  EXPECT_EQ(numberToString(-INFINITY), "-Infinity");
}

TEST(ScriptValues, TextToNumber) {
  using movie::script::stringToNumber;
  EXPECT_EQ(stringToNumber("12", 8), 12);
  EXPECT_EQ(stringToNumber("  -1.5e2", 8), -150);
  EXPECT_EQ(stringToNumber("0x1F", 8), 31);
  EXPECT_TRUE(std::isnan(stringToNumber("", 8)));
  EXPECT_TRUE(std::isnan(stringToNumber("12px", 8)));
  EXPECT_TRUE(std::isnan(stringToNumber("Infinity", 8)));
}

TEST(ScriptValues, Add2JoinsTextAndAddsNumbers) {
  Actions a;
  a.push({"ab", 1}).op(Actions::kAdd2).op(Actions::kTrace);
  a.push({2, 3}).op(Actions::kAdd2).op(Actions::kTrace);
  a.push({300, "150"}).op(Actions::kAdd2).op(Actions::kTrace);
  a.push({true, 1}).op(Actions::kAdd2).op(Actions::kTrace);
  EXPECT_EQ(traceOf(a), (Lines{"ab1", "5", "300150", "2"}));
}

TEST(ScriptValues, UndefinedPrintsByVersion) {
  Actions a;
  a.push({PushValue::undefined()}).op(Actions::kTrace);
  a.push({"x", PushValue::undefined()}).op(Actions::kAdd2).op(Actions::kTrace);
  a.push({PushValue::undefined(), 1}).op(Actions::kAdd2).op(Actions::kTrace);
  EXPECT_EQ(traceOf(a, 6), (Lines{"", "x", "1"}));
  EXPECT_EQ(traceOf(a, 7), (Lines{"undefined", "xundefined", "NaN"}));
}

TEST(ScriptValues, VersionFourOperatorsWorkOnNumbers) {
  Actions a;
  a.push({"3", "4"}).op(Actions::kAdd).op(Actions::kTrace);
  a.push({"abc", 1}).op(Actions::kAdd).op(Actions::kTrace);
  a.push({1, 0}).op(Actions::kDivide).op(Actions::kTrace);
  a.push({2, 2}).op(Actions::kEquals).op(Actions::kTrace);
  EXPECT_EQ(traceOf(a, 4), (Lines{"7", "1", "#ERROR#", "1"}));
  EXPECT_EQ(traceOf(a, 5), (Lines{"7", "NaN", "Infinity", "true"}));
}

TEST(ScriptValues, TextIsTrueByVersion) {
  Actions a;
  auto yes = a.label(), end = a.label();
  a.push({"abc"}).ifTrue(yes).trace("false").jump(end).mark(yes).trace("true").mark(end);
  EXPECT_EQ(traceOf(a, 6), (Lines{"false"}));
  EXPECT_EQ(traceOf(a, 7), (Lines{"true"}));
}

TEST(ScriptValues, LooseAndStrictEquality) {
  Actions a;
  a.push({PushValue::undefined(), PushValue::null()}).op(Actions::kEquals2).op(Actions::kTrace);
  a.push({"1", 1}).op(Actions::kEquals2).op(Actions::kTrace);
  a.push({"1", 1}).op(Actions::kStrictEquals).op(Actions::kTrace);
  a.push({true, 1}).op(Actions::kEquals2).op(Actions::kTrace);
  a.push({PushValue::undefined(), 0}).op(Actions::kEquals2).op(Actions::kTrace);
  a.push({std::nan(""), std::nan("")}).op(Actions::kEquals2).op(Actions::kTrace);
  EXPECT_EQ(traceOf(a), (Lines{"true", "true", "false", "true", "false", "false"}));
}

TEST(ScriptValues, ComparisonsOfTextAndNumbers) {
  Actions a;
  a.push({"10", "9"}).op(Actions::kLess2).op(Actions::kTrace);  // as text
  a.push({10, "9"}).op(Actions::kLess2).op(Actions::kTrace);    // as numbers
  a.push({1, "x"}).op(Actions::kLess2).op(Actions::kTrace);     // NaN: undefined
  a.push({2, 1}).op(Actions::kGreater).op(Actions::kTrace);
  EXPECT_EQ(traceOf(a), (Lines{"true", "false", "undefined", "true"}));
}

TEST(ScriptValues, TypeOfNamesEveryKind) {
  Actions a;
  for (PushValue v : {PushValue(1), PushValue("s"), PushValue(true), PushValue::null(), PushValue::undefined()})
    a.push({v}).op(Actions::kTypeOf).op(Actions::kTrace);
  a.push({0, "Object"}).op(Actions::kNewObject).op(Actions::kTypeOf).op(Actions::kTrace);
  a.push({"_root"}).op(Actions::kGetVariable).op(Actions::kTypeOf).op(Actions::kTrace);
  a.push({"Math"}).op(Actions::kGetVariable).push({"max"}).op(Actions::kGetMember).op(Actions::kTypeOf).op(Actions::kTrace);
  EXPECT_EQ(traceOf(a), (Lines{"number", "string", "boolean", "null", "undefined", "object", "movieclip", "function"}));
}

TEST(ScriptValues, BitOperatorsUse32BitIntegers) {
  Actions a;
  a.push({-1, 0}).op(Actions::kBitURShift).op(Actions::kTrace);
  a.push({1, 31}).op(Actions::kBitLShift).op(Actions::kTrace);
  a.push({4294967297.0, 3}).op(Actions::kBitAnd).op(Actions::kTrace);
  EXPECT_EQ(traceOf(a), (Lines{"4294967295", "-2147483648", "1"}));
}

TEST(ScriptValues, VariableNamesIgnoreCaseBeforeVersionSeven) {
  Actions a;
  a.push({"Score", 5}).op(Actions::kSetVariable);
  a.push({"score"}).op(Actions::kGetVariable).op(Actions::kTrace);
  EXPECT_EQ(traceOf(a, 6), (Lines{"5"}));
  EXPECT_EQ(traceOf(a, 7), (Lines{"undefined"}));
}

TEST(ScriptValues, StringActionsCountCharacters) {
  Actions a;
  a.push({"h\xC3\xA9llo"}).op(Actions::kStringLength).op(Actions::kTrace);
  a.push({"abcdef", 2, 3}).op(Actions::kStringExtract).op(Actions::kTrace);
  a.push({"A"}).op(Actions::kCharToAscii).op(Actions::kTrace);
  a.push({66}).op(Actions::kAsciiToChar).op(Actions::kTrace);
  EXPECT_EQ(traceOf(a, 6), (Lines{"5", "bcd", "65", "B"}));
}
