// Selection: which text field has the keyboard, and the selection in it.
#include <cmath>

#include "movie/script/activation.h"
#include "movie/script/function.h"
#include "movie/text/field_focus.h"
#include "movie/text_objects/field_events.h"
#include "movie/text_objects/field_object.h"
#include "movie/text_objects/text_objects.h"

namespace movie::text_objects {
namespace {

using script::CallArgs;
using script::Machine;
using script::Object;
using script::Value;

constexpr size_t kMaxQueuedHighlights = 1024;

// The highlight leaves the button or clip that has the focus and comes over the one that
// takes it (to: null for a field or nothing).
void queueFocusHighlights(Machine& m, TextEnvironment& env, Object* to) {
  if (!env.clipFocus || env.clipFocus->highlights.size() >= kMaxQueuedHighlights) return;
  Object* before = focusedObject(m, env);
  if (before && before == env.clipFocus->object) env.clipFocus->highlights.emplace_back(before, false);
  if (to) env.clipFocus->highlights.emplace_back(to, true);
}

double indexOr(TextEnvironment& env, size_t (text::TextField::*index)() const) {
  std::shared_ptr<text::TextField> focused = env.focus ? env.focus->focused() : nullptr;
  return focused ? double(((*focused).*index)()) : -1.0;
}

}  // namespace

void installSelection(Machine& m, TextEnvironment& env) {
  Object* selection = m.newObject();
  m.global()->put("Selection", selection, script::kDontEnum);
  m.method(selection, "getFocus", [&env](Machine& m, CallArgs&) -> Value {
    script::DisplayNode* node = m.nodeOf(Value(focusedObject(m, env)));
    return node ? Value(m.targetPath(node)) : Value::null();
  });
  // A field, a button or a clip takes the focus; null takes it away.
  m.method(selection, "setFocus", [&env](Machine& m, CallArgs& a) -> Value {
    if (!env.focus) return false;
    if (a.arg(0).isNullish()) {
      queueFocusHighlights(m, env, nullptr);
      moveFocus(m, env, nullptr);
      return true;
    }
    Value target = a.arg(0);
    if (!target.object()) {
      Object* from = m.current() && m.current()->target ? m.current()->target : m.clipObject(m.host().level(0));
      target = m.resolveTarget(from, m.toString(target));
    }
    script::DisplayNode* node = m.nodeOf(target);
    if (!node || !node->parentNode() || (!node->isClip() && !fieldOf(m, target))) return false;
    queueFocusHighlights(m, env, fieldOf(m, target) ? nullptr : target.object());
    moveFocus(m, env, target.object());
    return true;
  });
  m.method(selection, "getBeginIndex", [&env](Machine&, CallArgs&) -> Value {
    return indexOr(env, &text::TextField::selectionBegin);
  });
  m.method(selection, "getEndIndex", [&env](Machine&, CallArgs&) -> Value {
    return indexOr(env, &text::TextField::selectionEnd);
  });
  m.method(selection, "getCaretIndex", [&env](Machine&, CallArgs&) -> Value {
    return indexOr(env, &text::TextField::caret);
  });
  m.method(selection, "setSelection", [&env](Machine& m, CallArgs& a) -> Value {
    std::shared_ptr<text::TextField> focused = env.focus ? env.focus->focused() : nullptr;
    if (!focused) return Value();
    auto index = [&](size_t i) {
      double d = m.toNumber(a.arg(i));
      return std::isfinite(d) && d > 0 ? size_t(std::min(d, double(focused->length()))) : size_t(0);
    };
    focused->setSelection(index(0), index(1));
    return Value();
  });
  Object* broadcaster = m.memberOrUndefined(m.global(), "AsBroadcaster").object();
  if (broadcaster) m.callMethod(broadcaster, "initialize", {selection});
}

}  // namespace movie::text_objects
