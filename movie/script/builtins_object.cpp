// Object and Function: the root prototypes and their methods.
#include "movie/script/array_object.h"
#include "movie/script/builtins.h"
#include "movie/script/clip_object.h"
#include "movie/script/machine.h"

namespace movie::script {
namespace {

Object* selfObject(Machine& m, const CallArgs& a) { return m.toObject(a.self); }

// ASSetPropFlags(object, names, set, clear): names as an array, a comma list or null (all).
Value setPropFlags(Machine& m, CallArgs& a) {
  Object* o = a.arg(0).object();
  if (!o) return Value();
  uint8_t set = uint8_t(toUint32(m.toNumber(a.arg(2))) & 7);
  uint8_t clear = uint8_t(toUint32(m.toNumber(a.arg(3))) & 7);
  std::vector<std::string> names;
  Value list = a.arg(1);
  if (auto* array = dynamic_cast<ArrayObject*>(list.object())) {
    for (const Value& v : array->items()) names.push_back(m.toString(v));
  } else if (list.isString()) {
    std::string s = list.string();
    size_t start = 0;
    while (start <= s.size()) {
      size_t comma = s.find(',', start);
      names.push_back(s.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
  } else if (list.isNull()) {
    for (const Property* p : o->ownProperties()) names.push_back(p->name);
  }
  for (const std::string& n : names)
    if (Property* p = o->findOwn(n)) p->flags = uint8_t((p->flags & ~clear) | set);
  return Value();
}

}  // namespace

void installObjectBuiltins(Machine& m) {
  Object* global = m.global();
  Function* object = m.newNative([](Machine& m, CallArgs& a) -> Value {
    Object* o = a.size() ? m.toObject(a.arg(0)) : nullptr;
    if (o) return o;
    return a.constructing ? a.self : Value(m.newObject());
  }, "Object");
  object->put("prototype", m.objectPrototype(), kDontEnum | kDontDelete);
  m.objectPrototype()->put("constructor", object, kDontEnum);
  global->put("Object", object, kDontEnum);

  Object* proto = m.objectPrototype();
  m.method(proto, "toString", [](Machine& m, CallArgs& a) -> Value {
    Object* o = selfObject(m, a);
    if (o && o->asFunction()) return "[type Function]";
    return "[object Object]";
  });
  m.method(proto, "valueOf", [](Machine& m, CallArgs& a) -> Value {
    Object* o = selfObject(m, a);
    if (o && !o->primitive.isUndefined()) return o->primitive;
    return a.self;
  });
  m.method(proto, "hasOwnProperty", [](Machine& m, CallArgs& a) -> Value {
    Object* o = selfObject(m, a);
    if (!o) return false;
    std::string name = m.toString(a.arg(0));
    Value out;
    return o->findOwn(name) != nullptr || o->getSpecial(m, name, out);
  });
  m.method(proto, "isPropertyEnumerable", [](Machine& m, CallArgs& a) -> Value {
    Object* o = selfObject(m, a);
    const Property* p = o ? o->findOwn(m.toString(a.arg(0))) : nullptr;
    return p && !(p->flags & kDontEnum);
  });
  m.method(proto, "isPrototypeOf", [](Machine& m, CallArgs& a) -> Value {
    Object* o = selfObject(m, a);
    Object* v = a.arg(0).object();
    for (int i = 0; v && i < 256; ++i) {
      v = v->proto();
      if (v == o) return true;
    }
    return false;
  });
  m.method(proto, "addProperty", [](Machine& m, CallArgs& a) -> Value {
    Object* o = selfObject(m, a);
    std::string name = m.toString(a.arg(0));
    Object* getter = a.arg(1).object();
    Object* setter = a.arg(2).object();
    if (!o || name.empty() || !getter || !getter->asFunction()) return false;
    if (setter && !setter->asFunction()) setter = nullptr;
    Property& p = o->put(name, Value());
    p.getter = getter;
    p.setter = setter;
    return true;
  });
  m.method(proto, "watch", [](Machine&, CallArgs&) -> Value { return false; });
  m.method(proto, "unwatch", [](Machine&, CallArgs&) -> Value { return false; });
  m.method(object, "registerClass", [](Machine& m, CallArgs& a) -> Value {
    Object* registry = m.getMember(m.global(), "__classes").object();
    if (!registry) {
      registry = m.newObject();
      m.global()->put("__classes", registry, kDontEnum);
    }
    registry->put(m.toString(a.arg(0)), a.arg(1));
    return true;
  });
  global->put("ASSetPropFlags", m.newNative(setPropFlags, "ASSetPropFlags"), kDontEnum);
}

void installFunctionBuiltins(Machine& m) {
  Function* function = m.newNative([](Machine& m, CallArgs& a) -> Value {
    (void)m;
    return a.constructing ? a.self : Value();
  }, "Function");
  function->put("prototype", m.functionPrototype(), kDontEnum | kDontDelete);
  m.functionPrototype()->put("constructor", function, kDontEnum);
  m.global()->put("Function", function, kDontEnum);
  Object* proto = m.functionPrototype();
  m.method(proto, "call", [](Machine& m, CallArgs& a) -> Value {
    std::vector<Value> args(a.args.begin() + (a.args.empty() ? 0 : 1), a.args.end());
    Value self = a.arg(0);
    if (self.isNullish()) self = Value();
    return m.call(a.self, self, std::move(args));
  });
  m.method(proto, "apply", [](Machine& m, CallArgs& a) -> Value {
    std::vector<Value> args;
    if (auto* array = dynamic_cast<ArrayObject*>(a.arg(1).object())) args = array->items();
    Value self = a.arg(0);
    if (self.isNullish()) self = Value();
    return m.call(a.self, self, std::move(args));
  });
  m.method(proto, "toString", [](Machine&, CallArgs&) -> Value { return "[type Function]"; });
}

}  // namespace movie::script
