// TextField's methods, the TextFormat class and MovieClip.createTextField.
#include <algorithm>
#include <cmath>

#include "movie/script/function.h"
#include "movie/text_objects/field_object.h"
#include "movie/text_objects/text_format_object.h"
#include "movie/text_objects/text_objects.h"
#include "movie/text_objects/variable_binding.h"
#include "movie/timeline/display_list.h"
#include "textcodec/utf8.h"

namespace movie::text_objects {
namespace {

using script::CallArgs;
using script::Machine;
using script::Object;
using script::Value;

// A character index argument, clamped to the text.
size_t indexArg(Machine& m, const Value& v, size_t length) {
  double d = m.toNumber(v);
  if (!std::isfinite(d) || d < 0) return 0;
  return size_t(std::min(d, double(length)));
}

// The range of getTextFormat/setTextFormat: none given is the whole text, one index a
// single character, two a range.
void rangeArgs(Machine& m, const CallArgs& a, size_t count, size_t length, size_t& begin, size_t& end) {
  begin = 0, end = length;
  if (count >= 1) {
    begin = indexArg(m, a.arg(0), length);
    end = std::min(begin + 1, length);
  }
  if (count >= 2) end = std::max(begin, indexArg(m, a.arg(1), length));
}

void formatMethods(Machine& m, Object* proto) {
  m.method(proto, "getTextFormat", [](Machine& m, CallArgs& a) -> Value {
    timeline::FieldNode* node = fieldOf(m, a.self);
    if (!node) return Value();
    size_t begin, end;
    rangeArgs(m, a, std::min<size_t>(a.size(), 2), node->field().length(), begin, end);
    return newTextFormatObject(m, node->field().textFormat(begin, end));
  });
  m.method(proto, "setTextFormat", [](Machine& m, CallArgs& a) -> Value {
    timeline::FieldNode* node = fieldOf(m, a.self);
    if (!node || a.size() == 0) return Value();
    Object* format = a.arg(a.size() - 1).object();
    if (!format) return Value();
    size_t begin, end;
    rangeArgs(m, a, std::min<size_t>(a.size() - 1, 2), node->field().length(), begin, end);
    node->field().setTextFormat(begin, end, textFormatOf(m, format));
    return Value();
  });
  m.method(proto, "getNewTextFormat", [](Machine& m, CallArgs& a) -> Value {
    timeline::FieldNode* node = fieldOf(m, a.self);
    return node ? Value(newTextFormatObject(m, node->field().newTextFormat())) : Value();
  });
  m.method(proto, "setNewTextFormat", [](Machine& m, CallArgs& a) -> Value {
    timeline::FieldNode* node = fieldOf(m, a.self);
    if (node && a.arg(0).object()) node->field().setNewTextFormat(textFormatOf(m, a.arg(0).object()));
    return Value();
  });
}

void editMethods(Machine& m, Object* proto) {
  m.method(proto, "replaceSel", [](Machine& m, CallArgs& a) -> Value {
    timeline::FieldNode* node = fieldOf(m, a.self);
    if (!node) return Value();
    text::TextField& f = node->field();
    f.replaceText(f.selectionBegin(), f.selectionEnd(), textcodec::utf8ToUtf32(m.toString(a.arg(0))));
    pushFieldText(m, *node);
    return Value();
  });
  m.method(proto, "replaceText", [](Machine& m, CallArgs& a) -> Value {
    timeline::FieldNode* node = fieldOf(m, a.self);
    if (!node || a.size() < 3) return Value();
    text::TextField& f = node->field();
    size_t begin = indexArg(m, a.arg(0), f.length()), end = indexArg(m, a.arg(1), f.length());
    f.replaceText(begin, std::max(begin, end), textcodec::utf8ToUtf32(m.toString(a.arg(2))));
    pushFieldText(m, *node);
    return Value();
  });
}

void displayMethods(Machine& m, Object* proto) {
  m.method(proto, "removeTextField", [](Machine& m, CallArgs& a) -> Value {
    if (timeline::FieldNode* node = fieldOf(m, a.self)) {
      m.host().nodeLeavesFocus(node);
      if ((node = fieldOf(m, a.self))) node->removeSelf();
    }
    return Value();
  });
  m.method(proto, "getDepth", [](Machine& m, CallArgs& a) -> Value {
    timeline::FieldNode* node = fieldOf(m, a.self);
    return node ? Value(double(node->depth())) : Value();
  });
  m.method(proto, "swapDepths", [](Machine& m, CallArgs& a) -> Value {
    timeline::FieldNode* node = fieldOf(m, a.self);
    if (!node) return Value();
    if (script::DisplayNode* other = m.nodeOf(a.arg(0))) {
      if (other->parentNode() == node->parentNode()) node->swapDepth(other->depth());
    } else {
      double d = m.toNumber(a.arg(0));
      if (std::isfinite(d)) node->swapDepth(int(std::clamp(d, -16384.0, 2130706428.0)));
    }
    return Value();
  });
}

// createTextField(name, depth, x, y, width, height): the new field's object in movies
// of version 8 on, undefined before.
void installCreateTextField(Machine& m) {
  m.method(m.prototypeOf("MovieClip"), "createTextField", [](Machine& m, CallArgs& a) -> Value {
    auto* clip = dynamic_cast<timeline::SpriteInstance*>(m.nodeOf(a.self));
    if (!clip || a.size() < 6) return Value();
    // Whole pixels: the place truncated toward zero, the size without its sign.
    auto pixels = [&](size_t i) {
      double v = m.toNumber(a.arg(i));
      return std::isfinite(v) ? int32_t(std::clamp(std::trunc(v), -1e7, 1e7)) : 0;
    };
    double depth = m.toNumber(a.arg(1));
    if (!std::isfinite(depth)) return Value();
    format::Rect box{0, std::abs(pixels(4)) * 20, 0, std::abs(pixels(5)) * 20};
    timeline::FieldNode* node =
        clip->createTextField(m.toString(a.arg(0)), int(std::clamp(depth, -16384.0, 2130706428.0)), box);
    if (!node) return Value();
    Matrix placement;
    placement.tx = float(pixels(2) * 20);
    placement.ty = float(pixels(3) * 20);
    node->setMatrix(placement);
    return m.version() >= 8 ? Value(m.clipObject(node)) : Value();
  });
}

}  // namespace

script::ClipObject* newFieldObject(Machine& m, timeline::FieldNode& node, TextEnvironment& env) {
  auto* field = m.heap().make<FieldObject>(m.prototypeOf("TextField"), &node, env);
  // A field hears its own broadcasts (onChanged, onScroller) first.
  field->put("_listeners", m.newArray({Value(field)}), script::kDontEnum);
  return field;
}

void installTextObjects(Machine& m, TextEnvironment& env) {
  script::Function* textField = m.makeClass("TextField", [](Machine&, CallArgs&) { return Value(); });
  Object* proto = m.getMember(textField, "prototype").object();
  formatMethods(m, proto);
  editMethods(m, proto);
  displayMethods(m, proto);
  // Fields are broadcasters: AsBroadcaster's own methods, on their prototype.
  if (Object* broadcaster = m.memberOrUndefined(m.global(), "AsBroadcaster").object())
    for (const char* name : {"addListener", "removeListener", "broadcastMessage"})
      proto->put(name, m.memberOrUndefined(broadcaster, name), script::kDontEnum);
  installTextFormatClass(m);
  installCreateTextField(m);
  installSelection(m, env);
}

}  // namespace movie::text_objects
