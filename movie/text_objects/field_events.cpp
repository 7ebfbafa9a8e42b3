#include "movie/text_objects/field_events.h"

#include "movie/script/builtins.h"
#include "movie/text/field_focus.h"

namespace movie::text_objects {

using script::Object;
using script::Value;

timeline::FieldNode* focusedField(script::Machine& m, TextEnvironment& env) {
  std::shared_ptr<text::TextField> focused = env.focus ? env.focus->focused() : nullptr;
  if (!focused) return nullptr;
  std::vector<script::DisplayNode*> pending = m.host().levelRoots();
  size_t visited = 0;
  while (!pending.empty() && visited++ < 1'000'000) {
    script::DisplayNode* node = pending.back();
    pending.pop_back();
    if (!node) continue;
    auto* field = dynamic_cast<timeline::FieldNode*>(node);
    if (field && &field->field() == focused.get()) return field;
    for (script::DisplayNode* child : node->childNodes()) pending.push_back(child);
  }
  return nullptr;
}

Object* focusedObject(script::Machine& m, TextEnvironment& env) {
  if (timeline::FieldNode* node = focusedField(m, env)) return m.clipObject(node);
  if (!env.clipFocus || !env.clipFocus->object) return nullptr;
  if (!m.nodeOf(Value(env.clipFocus->object))) env.clipFocus->object = nullptr;  // removed from the stage
  return env.clipFocus->object;
}

void moveFocus(script::Machine& m, TextEnvironment& env, Object* to) {
  Object* before = focusedObject(m, env);
  if (before == to) return;
  auto* field = dynamic_cast<timeline::FieldNode*>(m.nodeOf(Value(to)));
  if (env.focus) {
    if (field) env.focus->focus(field->sharedField(), field->fonts());
    else env.focus->clear();
  }
  if (env.clipFocus) {
    env.clipFocus->object = field ? nullptr : to;
    env.clipFocus->hearsKeys = true;
  }
  announceFocus(m, before, focusedObject(m, env));
}

void announceChange(script::Machine& m, Object* field) {
  if (field) script::broadcast(m, field, "onChanged", {field});
}

void announceFocus(script::Machine& m, Object* before, Object* after) {
  if (before == after) return;
  const Value none = Value(static_cast<Object*>(nullptr));
  if (before) m.callHandler(before, "onKillFocus", {after ? Value(after) : none});
  if (after) m.callHandler(after, "onSetFocus", {before ? Value(before) : none});
  Object* selection = m.memberOrUndefined(m.global(), "Selection").object();
  if (selection) script::broadcast(m, selection, "onSetFocus", {before ? Value(before) : none, after ? Value(after) : none});
}

}  // namespace movie::text_objects
