#include "movie/text_objects/variable_binding.h"

#include "movie/script/errors.h"
#include "textcodec/utf8.h"

namespace movie::text_objects {
namespace {

struct Variable {
  script::Object* owner = nullptr;
  std::string name;
};

// "a.b.c" and "/a/b:c" name c on the clip a.b (or /a/b); a bare name is on the parent.
Variable resolve(script::Machine& m, timeline::FieldNode& node) {
  const std::string& path = node.field().variable();
  script::DisplayNode* parent = node.parentNode();
  if (path.empty() || !parent) return {};
  size_t split = path.rfind(':');
  if (split == std::string::npos) split = path.rfind('.');
  std::string target = split == std::string::npos ? std::string() : path.substr(0, split);
  std::string name = split == std::string::npos ? path : path.substr(split + 1);
  if (name.empty()) return {};
  return {m.resolveTarget(m.clipObject(parent), target), name};
}

void show(text::TextField& field, const std::string& value) {
  std::u32string text = textcodec::utf8ToUtf32(value);
  if (field.settings().html) field.setHtmlText(text);
  else field.setText(text);
}

// Runs what may call script getters and setters without letting their failures out.
template <class F>
void guarded(script::Machine& m, F work) {
  script::Activation* outer = m.current();
  try {
    work();
  } catch (script::ScriptThrow&) {
  } catch (script::ScriptAbort&) {
  }
  m.setCurrent(outer);
}

void remember(timeline::FieldNode& node, const std::string& variable) {
  node.binding() = {true, variable, boundText(node.field())};
}

}  // namespace

std::string boundText(const text::TextField& field) { return textcodec::toUtf8(field.htmlText()); }

void exchange(script::Machine& m, timeline::FieldNode& node) {
  if (node.field().variable().empty()) return;
  guarded(m, [&] {
    Variable v = resolve(m, node);
    if (!v.owner) return;
    timeline::FieldNode::Binding& last = node.binding();
    std::string shown = boundText(node.field());
    // Only a variable on a clip keeps showing in the field; one on a plain object is
    // read when the binding starts.
    bool followsVariable = !last.exchanged || m.nodeOf(v.owner);
    if (m.hasMember(v.owner, v.name)) {
      script::Value value = m.getMember(v.owner, v.name);
      std::string text = value.isUndefined() ? std::string() : m.toString(value);
      if (followsVariable && (!last.exchanged || text != last.variableValue)) {
        show(node.field(), text);
        remember(node, text);
      } else if (shown != last.fieldText) {
        m.setMember(v.owner, v.name, shown);
        remember(node, shown);
      }
    } else if (!last.exchanged && !shown.empty()) {
      // A field makes its variable when the binding starts; a variable deleted later
      // (or a clip that went) leaves the field as it is.
      m.setMember(v.owner, v.name, shown);
      remember(node, shown);
    }
  });
}

void exchangeAll(script::Machine& m, script::DisplayNode* root) {
  if (!root) return;
  // The bound fields' objects first: an exchange may run setters that change the tree,
  // and a field removed meanwhile then has no node behind its object.
  std::vector<script::Object*> bound;
  std::vector<script::DisplayNode*> pending{root};
  size_t visited = 0;
  while (!pending.empty() && visited++ < 1'000'000) {
    script::DisplayNode* node = pending.back();
    pending.pop_back();
    if (auto* field = dynamic_cast<timeline::FieldNode*>(node)) {
      if (!field->field().variable().empty()) guarded(m, [&] { bound.push_back(m.clipObject(field)); });
      continue;
    }
    for (script::DisplayNode* child : node->childNodes()) pending.push_back(child);
  }
  for (script::Object* object : bound)
    if (auto* field = dynamic_cast<timeline::FieldNode*>(m.nodeOf(object))) exchange(m, *field);
}

void pushFieldText(script::Machine& m, timeline::FieldNode& node) {
  if (node.field().variable().empty()) return;
  guarded(m, [&] {
    Variable v = resolve(m, node);
    if (!v.owner) return;
    std::string shown = boundText(node.field());
    m.setMember(v.owner, v.name, shown);
    remember(node, shown);
  });
}

}  // namespace movie::text_objects
