// Writes a form description (see FORMAT.md): only properties that differ from their
// stored defaults, nested settings with dots, children inside their parents' blocks.
#include <cstdio>

#include "ui/color.h"
#include "ui/stream.h"
#include "ui/text.h"

namespace ui {

namespace {

std::string quote(const std::string& gbk) {
  std::string s = gbkToUtf8(gbk), out = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') out += '\\', out += c;
    else if (c == '\n') out += "\\n";
    else if (c == '\t') out += "\\t";
    else out += c;
  }
  return out + "\"";
}

std::string format(const PropInfo& p, const Value& v) {
  switch (p.kind) {
    case PropKind::Int: return std::to_string(v.i);
    case PropKind::Bool: return v.i ? "True" : "False";
    case PropKind::String: return quote(v.s);
    case PropKind::Enum:
      if (p.values.empty()) {
        if (v.i >= 0 && v.i < static_cast<long long>(p.names.size())) return p.names[static_cast<size_t>(v.i)];
      } else {
        for (size_t i = 0; i < p.values.size() && i < p.names.size(); ++i)
          if (p.values[i] == v.i) return p.names[i];
      }
      return std::to_string(v.i);
    case PropKind::Set: {
      std::string out = "[";
      for (size_t i = 0; i < p.names.size(); ++i)
        if (v.i & (1LL << i)) out += (out.size() > 1 ? ", " : "") + p.names[i];
      return out + "]";
    }
    case PropKind::Color: {
      std::string n = colorName(static_cast<TColor>(v.i));
      if (!n.empty()) return n;
      char buf[16];
      std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(v.i));
      return buf;
    }
    case PropKind::Ref: return v.ref ? v.ref->name() : "";
    case PropKind::Event: return v.s;
    case PropKind::Resource: return "@" + v.s;
    case PropKind::ResourceList: {
      std::string out = "[";
      for (size_t i = 0; i < v.items.size(); ++i) out += (i ? ", @" : "@") + v.items[i];
      return out + "]";
    }
    case PropKind::Object: break;
  }
  return {};
}

// Handlers are written by name; those that belong to another object than the root
// (a skin's own handlers on the form's menu items) are not the description's to keep.
void writeProps(const Component& root, Persistent& obj, const std::string& prefix, const std::string& indent,
                std::string& out) {
  for (const PropInfo* p : obj.classInfo().all()) {
    if (p->stored && !p->stored(obj)) continue;
    if (p->kind == PropKind::Object) {
      if (Persistent* sub = p->object(obj)) writeProps(root, *sub, prefix + p->name + ".", indent, out);
      continue;
    }
    if (!p->get) continue;
    Value v = p->get(obj);
    if (p->hasDefault && v == p->def) continue;
    if (p->kind == PropKind::Ref && (!v.ref || v.ref->name().empty())) continue;
    if (p->kind == PropKind::Event && (v.s.empty() || (v.handlerOwner && v.handlerOwner != &root))) continue;
    out += indent + prefix + p->name + " = " + format(*p, v) + "\n";
  }
}

void writeBlock(Component& root, Component& c, const std::string& indent, std::string& out) {
  out += indent + (c.name().empty() ? std::string("_") : c.name()) + ": " + c.className() + " {\n";
  std::string inner = indent + "  ";
  writeProps(root, c, "", inner, out);
  for (Component* child : root.components()) {
    Component* p = child->parentComponent();
    bool here = &c == &root ? (p == nullptr || p == &root) : p == &c;
    if (here) writeBlock(root, *child, inner, out);
  }
  out += indent + "}\n";
}

}  // namespace

std::string writeComponent(Component& root) {
  std::string out;
  writeBlock(root, root, "", out);
  return out;
}

}  // namespace ui
