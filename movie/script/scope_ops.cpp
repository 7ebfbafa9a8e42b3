#include "movie/script/scope_ops.h"

#include <cstdlib>

#include "movie/script/clip_object.h"
#include "movie/script/errors.h"

namespace movie::script {

Object* makeSuper(Machine& m, Activation& act);

namespace {

bool equalNames(Machine& m, const std::string& a, const char* b) {
  if (m.heap().caseSensitive()) return a == b;
  size_t n = a.size();
  for (size_t i = 0; i < n; ++i) {
    if (!b[i]) return false;
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
    if (x != y) return false;
  }
  return b[n] == 0;
}

// Names that no scope holds: this, _global, _root, _levelN, super.
bool specialName(Machine& m, Activation& act, const std::string& name, Value& out) {
  if (name.empty() || !(name[0] == '_' || name[0] == 't' || name[0] == 'T' || name[0] == 's' || name[0] == 'S'))
    return false;
  if (equalNames(m, name, "this")) {
    out = act.self.isUndefined() ? Value(act.target) : act.self;
    return true;
  }
  if (equalNames(m, name, "_global")) {
    out = m.global();
    return true;
  }
  if (equalNames(m, name, "_root")) {
    out = m.resolveTarget(act.target ? act.target : act.baseClip, "_root");
    return true;
  }
  if (name.size() > 6 && equalNames(m, name.substr(0, 6), "_level")) {
    char* end = nullptr;
    long level = std::strtol(name.c_str() + 6, &end, 10);
    if (end && *end == 0 && level >= 0) {
      DisplayNode* node = m.host().level(int(level));
      out = node ? Value(m.clipObject(node)) : Value();
      return true;
    }
  }
  if (equalNames(m, name, "super")) {
    out = makeSuper(m, act);
    return true;
  }
  return false;
}

Value lookupScope(Machine& m, Activation& act, const std::string& name, Object** where = nullptr) {
  Value special;
  if (specialName(m, act, name, special)) return special;
  for (auto it = act.scopes.rbegin(); it != act.scopes.rend(); ++it) {
    if (*it && m.hasMember(*it, name)) {
      if (where) *where = *it;
      return m.getMember(*it, name);
    }
  }
  if (m.hasMember(m.global(), name)) return m.getMember(m.global(), name);
  return Value();
}

// Splits "path:var" or "a.b.var" at the last separator; false when name is plain.
bool splitPath(const std::string& name, std::string& path, std::string& var) {
  size_t colon = name.rfind(':');
  if (colon != std::string::npos) {
    path = name.substr(0, colon);
    var = name.substr(colon + 1);
    return true;
  }
  size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0 && dot + 1 < name.size() && name.find('/') == std::string::npos) {
    path = name.substr(0, dot);
    var = name.substr(dot + 1);
    return true;
  }
  return false;
}

// The object a dotted or slash path names, its first step found through the scopes.
Object* resolvePath(Machine& m, Activation& act, const std::string& path) {
  Object* from = act.target ? act.target : act.baseClip;
  if (path.empty()) return from;
  if (path.find('/') != std::string::npos || path.find('.') == std::string::npos) {
    if (Object* o = m.resolveTarget(from, path)) return o;
    if (path.find('/') != std::string::npos) return nullptr;
  }
  size_t start = 0;
  Object* current = nullptr;
  bool first = true;
  while (start <= path.size()) {
    size_t dot = path.find('.', start);
    std::string part = path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    Value v = first ? lookupScope(m, act, part) : m.getMember(current, part);
    current = m.toObject(v);
    if (!current) return nullptr;
    first = false;
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  return current;
}

Object* baseScope(Activation& act) {
  if (!act.scopes.empty() && act.scopes.front()) return act.scopes.front();
  return act.target ? act.target : act.baseClip;
}

}  // namespace

Object* makeSuper(Machine& m, Activation& act) {
  Object* home = act.home;
  if (!home && act.callee) home = m.getMember(act.callee, "prototype").object();
  if (!home || !home->proto()) return nullptr;
  return m.heap().make<SuperObject>(home->proto(), act.self);
}

Value getVariable(Machine& m, Activation& act, const std::string& name) {
  std::string path, var;
  if (splitPath(name, path, var)) {
    Object* o = resolvePath(m, act, path);
    return o ? m.getMember(o, var) : Value();
  }
  if (name.find('/') != std::string::npos) {
    Object* o = m.resolveTarget(act.target ? act.target : act.baseClip, name);
    return o ? Value(o) : Value();
  }
  return lookupScope(m, act, name);
}

void setVariable(Machine& m, Activation& act, const std::string& name, const Value& v) {
  std::string path, var;
  if (splitPath(name, path, var)) {
    if (Object* o = resolvePath(m, act, path)) m.setMember(o, var, v);
    return;
  }
  for (auto it = act.scopes.rbegin(); it != act.scopes.rend(); ++it) {
    if (*it && m.hasMember(*it, name)) {
      m.setMember(*it, name, v);
      return;
    }
  }
  if (Object* base = baseScope(act)) m.setMember(base, name, v);
}

void setVariableLocal(Machine& m, Activation& act, const std::string& name, const Value& v, bool) {
  Object* where = act.locals ? act.locals : baseScope(act);
  if (where) m.setMember(where, name, v);
}

void declareLocal(Machine& m, Activation& act, const std::string& name) {
  Object* where = act.locals ? act.locals : baseScope(act);
  if (where && !where->findOwn(name)) m.setMember(where, name, Value());
}

bool deleteVariable(Machine& m, Activation& act, const std::string& name) {
  for (auto it = act.scopes.rbegin(); it != act.scopes.rend(); ++it)
    if (*it && (*it)->findOwn(name)) return (*it)->remove(name);
  if (m.global()->findOwn(name)) return m.global()->remove(name);
  return false;
}

bool deleteMember(Machine&, const Value& object, const std::string& name) {
  Object* o = object.object();
  if (!o) return false;
  if (o->deleteSpecial(name)) return true;
  return o->remove(name);
}

Value callNamedFunction(Machine& m, Activation& act, const std::string& name, std::vector<Value> args) {
  Object* where = nullptr;
  Value fn;
  std::string path, var;
  if (splitPath(name, path, var)) {
    Object* o = resolvePath(m, act, path);
    if (!o) return Value();
    fn = m.getMember(o, var);
    return m.call(fn, o, std::move(args));
  }
  fn = lookupScope(m, act, name, &where);
  Value self;
  if (where && where != act.locals) self = where;
  if (auto* super = dynamic_cast<SuperObject*>(fn.object())) {
    Value ctor = m.getMember(super->base(), "__constructor__");
    if (!ctor.object()) ctor = m.getMember(super->base(), "constructor");
    return m.call(ctor, super->self(), std::move(args), super->base());
  }
  return m.call(fn, self.isUndefined() ? Value(act.target ? act.target : act.baseClip) : self, std::move(args));
}

Value callMethodOf(Machine& m, Activation& act, const Value& object, const Value& nameValue, std::vector<Value> args) {
  (void)act;
  bool unnamed = nameValue.isUndefined() || (nameValue.isString() && nameValue.string().empty());
  if (auto* super = dynamic_cast<SuperObject*>(object.object())) {
    if (unnamed) {
      Value ctor = m.getMember(super->base(), "__constructor__");
      if (!ctor.object()) ctor = m.getMember(super->base(), "constructor");
      return m.call(ctor, super->self(), std::move(args), super->base());
    }
    std::string name = m.toString(nameValue);
    // The method is looked up from the superclass prototype; this stays.
    Object* holder = super->base();
    while (holder && !holder->findOwn(name)) holder = holder->proto();
    Value fn = m.getMember(super->base(), name);
    return m.call(fn, super->self(), std::move(args), holder ? holder : super->base());
  }
  if (unnamed) return m.call(object, Value(), std::move(args));
  std::string name = m.toString(nameValue);
  Object* self = m.toObject(object);
  if (!self) return Value();
  Object* holder = self;
  while (holder && !holder->findOwn(name)) holder = holder->proto();
  Value fn = m.getMember(self, name);
  return m.call(fn, object.isObject() ? object : Value(self), std::move(args), holder);
}

Function* makeScriptFunction(Machine& m, std::shared_ptr<const FunctionCode> code,
                             std::vector<Object*> scopes, std::vector<std::string> constants,
                             Object* baseClip) {
  Function* fn = m.heap().make<Function>(m.functionPrototype(), std::move(code), std::move(scopes),
                                         std::move(constants), baseClip);
  Object* prototype = m.newObject();
  prototype->put("constructor", fn, kDontEnum);
  fn->put("prototype", prototype, kDontEnum);
  return fn;
}

bool SuperObject::getSpecial(Machine& m, const std::string& name, Value& out) {
  out = base_ ? m.getMember(base_, name) : Value();
  return true;
}

void extendClass(Machine& m, Object* subclass, Object* superclass) {
  if (!subclass || !superclass) return;
  Object* superPrototype = m.getMember(superclass, "prototype").object();
  Object* prototype = m.newObject();
  prototype->setProto(superPrototype);
  prototype->put("__constructor__", superclass, kDontEnum);
  subclass->put("prototype", prototype, kDontEnum);
}

void implementInterfaces(Machine& m, Object* constructor, const std::vector<Value>& interfaces) {
  if (!constructor) return;
  Object* prototype = m.getMember(constructor, "prototype").object();
  if (!prototype) return;
  Object* list = m.newArray(interfaces);
  prototype->put("__implements__", list, kDontEnum);
}

}  // namespace movie::script
