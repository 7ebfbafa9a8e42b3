// Text fields as scripts see them: fields made by scripts, their properties and
// formats, variables bound to fields both ways, and the keyboard focus.
#include <gtest/gtest.h>

#include "movie/text/text_field.h"
#include "movie_fixtures.h"
#include "script_fixtures.h"
#include "test_font_service.h"
#include "tools/swf/text_writer.h"

namespace movie_test {
namespace {

using swf::Actions;
using swf::PushValue;
using Lines = std::vector<std::string>;

Actions& set(Actions& a, const std::string& path, PushValue v) { return a.push({path, v}).op(Actions::kSetVariable); }

// object.method(args...), leaving the result on the stack.
Actions& call(Actions& a, const std::string& object, const std::string& method, std::vector<PushValue> args) {
  std::vector<PushValue> pushed(args.rbegin(), args.rend());
  pushed.push_back(int(args.size()));
  a.push(pushed).push({object}).op(Actions::kGetVariable).push({method}).op(Actions::kCallMethod);
  return a;
}

// name = new TextFormat(args...)
Actions& newTextFormat(Actions& a, const std::string& name, std::vector<PushValue> args) {
  std::vector<PushValue> pushed(args.rbegin(), args.rend());
  pushed.push_back(int(args.size()));
  pushed.push_back("TextFormat");
  return a.push({name}).push(pushed).op(Actions::kNewObject).op(Actions::kSetVariable);
}

Actions& makeField(Actions& a, const std::string& name, int depth, int x, int y, int w, int h) {
  return call(a, "_root", "createTextField", {name, depth, x, y, w, h});
}

TEST(TextFieldObjects, ScriptsMakeFieldsAndSetTheirProperties) {
  Actions a;
  makeField(a, "f", 5, 10, 20, 100, 30).op(Actions::kTrace);
  set(a, "f.text", "hello");
  a.traceVariable("f.text").traceVariable("f._x").traceVariable("f._width").traceVariable("f.type");
  a.push({"f"}).op(Actions::kGetVariable).op(Actions::kTypeOf).op(Actions::kTrace);
  call(a, "f", "getDepth", {}).op(Actions::kTrace);
  set(a, "f.border", true);
  set(a, "f.borderColor", 0xFF00FF);
  set(a, "f._width", 50);
  a.traceVariable("f.border").traceVariable("f.borderColor").traceVariable("f._width").traceVariable("f._xscale");
  set(a, "f.type", "input");
  a.traceVariable("f.type").traceVariable("f.variable").traceVariable("f.length");
  call(a, "f", "removeTextField", {}).op(Actions::kPop);
  a.traceVariable("f");
  EXPECT_EQ(traceOf(a), (Lines{"_level0.f", "hello", "10", "100", "dynamic", "object", "5", "true", "16711935", "50",
                               "100", "input", "null", "5", "undefined"}));
}

TEST(TextFieldObjects, BeforeVersion8CreateTextFieldReturnsNothing) {
  Actions a;
  makeField(a, "f", 1, 0, 0, 10, 10).op(Actions::kTrace);
  a.traceVariable("f._name");
  EXPECT_EQ(traceOf(a, 7), (Lines{"undefined", "f"}));
}

TEST(TextFieldObjects, TextFormatsApplyToRangesAndReadBackMixedAsNull) {
  Actions a;
  makeField(a, "f", 1, 0, 0, 200, 40).op(Actions::kPop);
  set(a, "f.text", "abcdef");
  newTextFormat(a, "fmt", {});
  a.traceVariable("fmt.bold");
  set(a, "fmt.bold", true);
  set(a, "fmt.color", 0xFF0000);
  call(a, "f", "setTextFormat", {0, 3, PushValue("fmt")}).op(Actions::kPop);
  EXPECT_EQ(traceOf(a), (Lines{"null"}));  // the format was passed by name: nothing changes

  Actions b;
  makeField(b, "f", 1, 0, 0, 200, 40).op(Actions::kPop);
  set(b, "f.text", "abcdef");
  newTextFormat(b, "fmt", {});
  set(b, "fmt.bold", true);
  set(b, "fmt.color", 0xFF0000);
  // f.setTextFormat(0, 3, fmt)
  b.push({"fmt"}).op(Actions::kGetVariable).push({3, 0, 3}).push({"f"}).op(Actions::kGetVariable);
  b.push({"setTextFormat"}).op(Actions::kCallMethod).op(Actions::kPop);
  call(b, "f", "getTextFormat", {0}).push({"bold"}).op(Actions::kGetMember).op(Actions::kTrace);
  call(b, "f", "getTextFormat", {4}).push({"bold"}).op(Actions::kGetMember).op(Actions::kTrace);
  call(b, "f", "getTextFormat", {}).push({"bold"}).op(Actions::kGetMember).op(Actions::kTrace);
  call(b, "f", "getTextFormat", {1, 2}).push({"color"}).op(Actions::kGetMember).op(Actions::kTrace);
  newTextFormat(b, "big", {"Arial", 20});
  b.traceVariable("big.font").traceVariable("big.size").traceVariable("big.italic");
  // f.setNewTextFormat(big); f.text = "x": new text takes the new format.
  b.push({"big"}).op(Actions::kGetVariable).push({1}).push({"f"}).op(Actions::kGetVariable);
  b.push({"setNewTextFormat"}).op(Actions::kCallMethod).op(Actions::kPop);
  set(b, "f.text", "x");
  call(b, "f", "getTextFormat", {0}).push({"size"}).op(Actions::kGetMember).op(Actions::kTrace);
  set(b, "f.textColor", 0x00FF00);
  b.traceVariable("f.textColor");
  EXPECT_EQ(traceOf(b), (Lines{"true", "false", "null", "16711680", "Arial", "20", "null", "20", "65280"}));
}

// A movie with an empty clip "box" and fields bound to variables, then frames of actions.
swf::Bytes boundFieldsMovie(const std::vector<Actions>& frames, bool input = false) {
  swf::TagList tags;
  swf::TagList empty;
  empty.showFrame();
  empty.end();
  tags.defineSprite(3, empty);
  swf::Place box = placeAt(1, 3);
  box.name = "box";
  tags.placeObject2(box);
  struct Bound {
    uint16_t id;
    const char* name;
    const char* variable;
    const char* text;
  };
  const Bound fields[] = {{4, "a", "box.v", "7"}, {5, "b", "/box:w", ""}, {6, "c", "score", ""}};
  uint16_t depth = 2;
  for (const Bound& f : fields) {
    swf::EditText e;
    e.id = f.id;
    e.bounds = {0, swf::twips(90), 0, swf::twips(20)};
    e.variable = f.variable;
    e.text = f.text;
    e.readOnly = !input;
    swf::add(tags, swf::encodeDefineEditText(e));
    swf::Place p = placeAt(depth, f.id, 0, 20 * (depth - 2));
    p.name = f.name;
    tags.placeObject2(p);
    ++depth;
  }
  for (const Actions& a : frames) {
    swf::doAction(tags, a);
    tags.showFrame();
  }
  tags.end();
  return movieOf(tags);
}

TEST(VariableBinding, FieldsAndVariablesFollowEachOtherBothWays) {
  Actions a;
  a.traceVariable("box.v");  // the field's own text made the variable
  a.push({"box"}).op(Actions::kGetVariable).push({"w"}).op(Actions::kGetMember).op(Actions::kTypeOf).op(Actions::kTrace);
  set(a, "score", 42);
  a.traceVariable("c.text");
  set(a, "a.text", "abc");
  a.traceVariable("box.v");
  set(a, "box.w", "slash path");
  a.traceVariable("b.text");
  a.traceVariable("a.variable");
  set(a, "box.v", "late");
  Actions second;
  second.traceVariable("a.text");
  EXPECT_EQ(runTrace(boundFieldsMovie({a, second}), 2),
            (Lines{"7", "undefined", "42", "abc", "slash path", "box.v", "late"}));
}

TEST(VariableBinding, ABoundFieldMovedToAnotherVariableStartsFromItsOwnText) {
  Actions a;
  set(a, "box.v", "changed");
  set(a, "a.variable", "other");
  a.traceVariable("other").traceVariable("a.text").traceVariable("box.v");
  EXPECT_EQ(runTrace(boundFieldsMovie({a})), (Lines{"7", "7", "changed"}));
}

TEST(VariableBinding, ADeletedVariableAndOneOnAPlainObjectAreNotFollowed) {
  Actions a;
  a.push({"box"}).op(Actions::kGetVariable).push({"v"}).op(Actions::kDelete).op(Actions::kPop);
  Actions b;
  b.push({"box"}).op(Actions::kGetVariable).push({"v"}).op(Actions::kGetMember).op(Actions::kTypeOf).op(Actions::kTrace);
  b.traceVariable("a.text");  // the field keeps its text and does not bring the variable back
  b.push({"holder", 0, "Object"}).op(Actions::kNewObject).op(Actions::kSetVariable);
  set(b, "holder.x", "first");
  set(b, "a.variable", "holder.x");
  b.traceVariable("a.text");  // read when the binding starts
  set(b, "holder.x", "second");
  b.traceVariable("a.text");  // not followed afterwards
  set(b, "a.text", "third");
  b.traceVariable("holder.x");  // but the field's own changes still go to it
  EXPECT_EQ(runTrace(boundFieldsMovie({a, b}), 2), (Lines{"undefined", "7", "first", "first", "third"}));
}

TEST(VariableBinding, WhatTheUserTypesReachesTheVariableByTheNextFrame) {
  Actions first;
  first.push({"c", 1, "Selection"}).op(Actions::kGetVariable).push({"setFocus"}).op(Actions::kCallMethod).op(Actions::kTrace);
  call(first, "Selection", "getFocus", {}).op(Actions::kTrace);
  Actions second;
  second.traceVariable("score");
  call(second, "Selection", "getCaretIndex", {}).op(Actions::kTrace);
  second.push({"a", 1, "Selection"}).op(Actions::kGetVariable).push({"setFocus"}).op(Actions::kCallMethod).op(Actions::kPop);
  call(second, "Selection", "setSelection", {0, 1}).op(Actions::kPop);
  call(second, "Selection", "getEndIndex", {}).op(Actions::kTrace);
  second.push({PushValue::null(), 1, "Selection"}).op(Actions::kGetVariable).push({"setFocus"}).op(Actions::kCallMethod).op(Actions::kPop);
  call(second, "Selection", "getFocus", {}).op(Actions::kTrace);
  call(second, "Selection", "getBeginIndex", {}).op(Actions::kTrace);
  Lines lines;
  movie::Player player;
  player.setTraceHandler([&lines](const std::string& line) { lines.push_back(line); });
  load(player, boundFieldsMovie({first, second}, true));
  EXPECT_TRUE(player.typeChar('h'));
  EXPECT_TRUE(player.typeChar('i'));
  player.tick();
  EXPECT_EQ(lines, (Lines{"true", "_level0.c", "hi", "2", "1", "null", "-1"}));
}

// function name(arg) { trace(prefix + arg[member]); } (the whole arg when member is empty)
Actions& tracingFunction(Actions& a, const std::string& name, const std::string& prefix, const std::string& member) {
  Actions body;
  body.push({prefix, "arg"}).op(Actions::kGetVariable);
  if (!member.empty()) body.push({member}).op(Actions::kGetMember);
  body.op(Actions::kAdd2).op(Actions::kTrace);
  return a.function(name, {"arg"}, body);
}

TEST(FieldEvents, EditsAndFocusChangesReachTheFieldsHandlers) {
  Actions a;
  tracingFunction(a, "changed", "changed ", "text");
  tracingFunction(a, "gained", "focus from ", "");
  tracingFunction(a, "lost", "focus to ", "");
  for (auto [handler, function] : {std::pair{"c.onChanged", "changed"}, {"c.onSetFocus", "gained"}, {"c.onKillFocus", "lost"}})
    a.push({handler, function}).op(Actions::kGetVariable).op(Actions::kSetVariable);
  call(a, "Selection", "setFocus", {"c"}).op(Actions::kPop);
  Lines lines;
  movie::Player player;
  player.setTraceHandler([&lines](const std::string& line) { lines.push_back(line); });
  load(player, boundFieldsMovie({a}, true));
  EXPECT_TRUE(player.typeChar('x'));
  EXPECT_TRUE(player.editKey(movie::text::EditKey::Left));  // moves the caret: no change
  player.pointerDown(99, 99);  // on no field: the focus goes
  EXPECT_EQ(lines, (Lines{"focus from null", "changed x", "focus to null"}));
}

TEST(TextFieldObjects, ScrollAndAutoSizeFollowTheLayout) {
  TestFontService fonts;
  Actions a;
  makeField(a, "f", 1, 0, 0, 80, 40).op(Actions::kPop);
  set(a, "f.multiline", true);
  set(a, "f.text", "1\r2\r3\r4\r5\r6\r7\r8\r9\r10");
  a.push({"f.maxscroll"}).op(Actions::kGetVariable).push({1}).op(Actions::kGreater).op(Actions::kTrace);
  set(a, "f.scroll", 3);
  a.traceVariable("f.scroll");
  set(a, "f.scroll", 1000);
  a.push({"f.scroll"}).op(Actions::kGetVariable).push({"f.maxscroll"}).op(Actions::kGetVariable);
  a.op(Actions::kEquals2).op(Actions::kTrace);
  set(a, "f.autoSize", true);
  a.traceVariable("f.autoSize");
  // Sized to the text: taller than the 40 pixels it was given, and textHeight fits inside.
  a.push({"f._height"}).op(Actions::kGetVariable).push({40}).op(Actions::kGreater).op(Actions::kTrace);
  a.push({"f._height"}).op(Actions::kGetVariable).push({"f.textHeight"}).op(Actions::kGetVariable);
  a.op(Actions::kGreater).op(Actions::kTrace);
  set(a, "f.autoSize", "center");
  a.traceVariable("f.autoSize");
  Lines lines;
  movie::Player player;
  player.setFontService(&fonts);
  player.setTraceHandler([&lines](const std::string& line) { lines.push_back(line); });
  load(player, scriptedMovie({a}));
  EXPECT_EQ(lines, (Lines{"true", "3", "true", "left", "true", "true", "center"}));
}

TEST(TextFieldObjects, BadArgumentsChangeNothingAndEndCleanly) {
  Actions a;
  call(a, "_root", "createTextField", {"f", 1}).op(Actions::kTrace);  // too few arguments
  a.traceVariable("f");
  makeField(a, "g", 1, 0, 0, 10, 10).op(Actions::kPop);
  call(a, "_root", "createTextField", {"h", PushValue::undefined(), 0, 0, 10, 10}).op(Actions::kTrace);
  set(a, "g.variable", "/::..");
  set(a, "g.text", "x");
  set(a, "g.scroll", "many");
  set(a, "g._width", "wide");
  call(a, "g", "setTextFormat", {"not a format"}).op(Actions::kPop);
  call(a, "g", "getTextFormat", {-5, 1e9}).push({"size"}).op(Actions::kGetMember).op(Actions::kTrace);
  call(a, "Selection", "setFocus", {12}).op(Actions::kTrace);
  a.traceVariable("g.text").traceVariable("g._width").traceVariable("g.scroll");
  EXPECT_EQ(traceOf(a), (Lines{"undefined", "undefined", "undefined", "12", "false", "x", "10", "1"}));
}

}  // namespace
}  // namespace movie_test
