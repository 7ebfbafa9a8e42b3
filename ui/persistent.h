// Published properties and streamable objects.
//
// Every streamable class has a ClassInfo: its class name ("TPanel"), its base class's
// ClassInfo, an optional factory, and its published properties in declaration order.
// A property has a name, a kind, a stored default (written only when the value differs
// from it; a property without a default is always written), a getter and a setter.
// Owned settings objects (a control's Font, a skin's xpCaption) are Object properties:
// their own properties stream as "Font.Height", "xpCaption.Height".
#pragma once
#include <any>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/error.h"

namespace ui {

class Component;
class Persistent;

// An event slot: a callable bound by name from the form description (or in code).
// An unassigned event is skipped when raised.
//
// A handler has an identity: the object it belongs to and its name. Handlers bound from
// a form description belong to the component the description was read onto (the form);
// a component that binds handlers of its own in code gives itself as the owner, so it
// can later tell its handlers from those others bound (isHandler). Callables cannot be
// compared, so an event without an owner is nobody's in particular.
template <class Sig>
class Event;
template <class R, class... A>
class Event<R(A...)> {
 public:
  using Function = std::function<R(A...)>;
  Event() = default;
  Event(Function f, std::string handlerName = {}, const void* handlerOwner = nullptr)
      : fn_(std::move(f)), name_(std::move(handlerName)), owner_(fn_ ? handlerOwner : nullptr) {}
  explicit operator bool() const { return static_cast<bool>(fn_); }
  // Calls the handler when assigned (returns R{} otherwise).
  R operator()(A... a) const {
    if (!fn_) return R();
    return fn_(std::forward<A>(a)...);
  }
  const std::string& handlerName() const { return name_; }
  const void* handlerOwner() const { return owner_; }
  // True when a handler is assigned and it is owner's handler of that name.
  bool isHandler(const void* owner, const std::string& name) const {
    return fn_ && owner && owner_ == owner && name_ == name;
  }
  const Function& function() const { return fn_; }
  void clear() {
    fn_ = nullptr;
    name_.clear();
    owner_ = nullptr;
  }
  bool operator==(const Event&) const = delete;

 private:
  Function fn_;
  std::string name_;
  const void* owner_ = nullptr;
};

using NotifyEvent = Event<void(Component* sender)>;

// A property value as read from or written to a form description.
struct Value {
  enum class Kind { None, Int, Bool, String, Ident, List, Resource };
  Kind kind = Kind::None;
  long long i = 0;                 // Int; also Bool (0/1)
  std::string s;                   // String (GBK), Ident, Resource name (after '@')
  std::vector<std::string> items;  // List: identifiers, "@resource" or numbers as written
  // Filled by the reader for references and events:
  Component* ref = nullptr;          // Ref kind: the resolved component (null: none)
  const std::any* handler = nullptr;  // Event kind: the bound handler (std::function<Sig>)
  const void* handlerOwner = nullptr;  // Event kind: whose handler it is

  static Value integer(long long v) { Value x; x.kind = Kind::Int; x.i = v; return x; }
  static Value boolean(bool v) { Value x; x.kind = Kind::Bool; x.i = v; return x; }
  static Value string(std::string v) { Value x; x.kind = Kind::String; x.s = std::move(v); return x; }
  static Value ident(std::string v) { Value x; x.kind = Kind::Ident; x.s = std::move(v); return x; }
  static Value list(std::vector<std::string> v) { Value x; x.kind = Kind::List; x.items = std::move(v); return x; }
  static Value resource(std::string v) { Value x; x.kind = Kind::Resource; x.s = std::move(v); return x; }
  bool operator==(const Value& o) const {
    return kind == o.kind && i == o.i && s == o.s && items == o.items && ref == o.ref;
  }
};

enum class PropKind {
  Int,           // 12, -11, $FF
  Bool,          // True / False
  String,        // "text" (UTF-8 in the description, GBK in memory)
  Enum,          // identifier out of names (value = index, or the value table)
  Set,           // [a, b] out of names (bit i = names[i])
  Color,         // clBtnFace or a number
  Ref,           // a component name, resolved after the whole form is read
  Event,         // a handler name, bound through the form's handler table
  Object,        // an owned settings object: its properties nest with dots
  Resource,      // @NAME: a resource of the program (bitmap, icon)
  ResourceList,  // [@A, @B]: image list contents
};

struct PropInfo {
  std::string name;
  PropKind kind = PropKind::Int;
  std::vector<std::string> names;    // Enum / Set identifiers in value order
  std::vector<long long> values;     // Enum: value of names[i] (empty: the index)
  bool hasDefault = true;            // false: always stored
  Value def;                         // the stored default (Ref/Event: none)
  std::function<Value(Persistent&)> get;
  std::function<void(Persistent&, const Value&)> set;
  std::function<Persistent*(Persistent&)> object;  // Object kind
  // Optional: false when the writer should skip the property for this object
  // (a control's Font while it follows the parent's).
  std::function<bool(Persistent&)> stored;
};

class ClassInfo {
 public:
  using Factory = std::function<Component*(Component* owner)>;
  ClassInfo(std::string className, const ClassInfo* base, Factory factory = nullptr)
      : name_(std::move(className)), base_(base), factory_(std::move(factory)) {}
  ClassInfo& prop(PropInfo p) { props_.push_back(std::move(p)); return *this; }

  const std::string& name() const { return name_; }
  const ClassInfo* base() const { return base_; }
  const Factory& factory() const { return factory_; }
  // Own properties only (declaration order); all(): base class properties first.
  const std::vector<PropInfo>& ownProps() const { return props_; }
  std::vector<const PropInfo*> all() const;
  const PropInfo* find(const std::string& propName) const;
  bool inheritsFrom(const ClassInfo& other) const;

 private:
  std::string name_;
  const ClassInfo* base_;
  Factory factory_;
  std::vector<PropInfo> props_;
};

// Base of everything with published properties (components and settings objects).
class Persistent {
 public:
  virtual ~Persistent() = default;
  static const ClassInfo& staticClassInfo();
  virtual const ClassInfo& classInfo() const { return staticClassInfo(); }
  const std::string& className() const { return classInfo().name(); }
  // Makes this object a copy of source ("Assign"). Only classes that implement
  // assignment override it; for every other class it throws ui::Error ("Cannot
  // assign ...").
  virtual void assign(const Persistent& source);
};

// ----- Property declaration helpers (C is the declaring class) -----
namespace prop {

template <class C, class T>
PropInfo integer(std::string name, long long def, T (C::*get)() const, void (C::*set)(T)) {
  PropInfo p;
  p.name = std::move(name);
  p.kind = PropKind::Int;
  p.def = Value::integer(def);
  p.get = [get](Persistent& o) { return Value::integer((static_cast<C&>(o).*get)()); };
  p.set = [set](Persistent& o, const Value& v) { (static_cast<C&>(o).*set)(static_cast<T>(v.i)); };
  return p;
}

template <class C>
PropInfo boolean(std::string name, bool def, bool (C::*get)() const, void (C::*set)(bool)) {
  PropInfo p;
  p.name = std::move(name);
  p.kind = PropKind::Bool;
  p.def = Value::boolean(def);
  p.get = [get](Persistent& o) { return Value::boolean((static_cast<C&>(o).*get)()); };
  p.set = [set](Persistent& o, const Value& v) { (static_cast<C&>(o).*set)(v.i != 0); };
  return p;
}

template <class C, class G, class S>
PropInfo string(std::string name, std::string def, G get, S set) {
  PropInfo p;
  p.name = std::move(name);
  p.kind = PropKind::String;
  p.def = Value::string(std::move(def));
  p.get = [get](Persistent& o) { return Value::string(std::string((static_cast<C&>(o).*get)())); };
  p.set = [set](Persistent& o, const Value& v) { (static_cast<C&>(o).*set)(v.s); };
  return p;
}

// An enumeration stored as an int-like type E; names[i] is value i (or values[i]).
template <class C, class E>
PropInfo enumeration(std::string name, std::vector<std::string> names, E def, E (C::*get)() const,
                     void (C::*set)(E), std::vector<long long> values = {}) {
  PropInfo p;
  p.name = std::move(name);
  p.kind = PropKind::Enum;
  p.names = std::move(names);
  p.values = std::move(values);
  p.def = Value::integer(static_cast<long long>(def));
  p.get = [get](Persistent& o) { return Value::integer(static_cast<long long>((static_cast<C&>(o).*get)())); };
  p.set = [set](Persistent& o, const Value& v) { (static_cast<C&>(o).*set)(static_cast<E>(v.i)); };
  return p;
}

// A set stored as a bit mask (bit i = names[i]).
template <class C, class T>
PropInfo set(std::string name, std::vector<std::string> names, T def, T (C::*get)() const, void (C::*set)(T)) {
  PropInfo p;
  p.name = std::move(name);
  p.kind = PropKind::Set;
  p.names = std::move(names);
  p.def = Value::integer(static_cast<long long>(def));
  p.get = [get](Persistent& o) { return Value::integer(static_cast<long long>((static_cast<C&>(o).*get)())); };
  p.set = [set](Persistent& o, const Value& v) { (static_cast<C&>(o).*set)(static_cast<T>(v.i)); };
  return p;
}

template <class C, class T>
PropInfo color(std::string name, long long def, T (C::*get)() const, void (C::*set)(T)) {
  PropInfo p = integer<C, T>(std::move(name), def, get, set);
  p.kind = PropKind::Color;
  return p;
}

// A reference to a component of class T (or derived), resolved after reading.
template <class C, class T>
PropInfo ref(std::string name, T* (C::*get)() const, void (C::*set)(T*)) {
  PropInfo p;
  p.name = std::move(name);
  p.kind = PropKind::Ref;
  p.def = Value();
  p.def.kind = Value::Kind::Ident;
  p.get = [get](Persistent& o) {
    Value v;
    v.kind = Value::Kind::Ident;
    v.ref = (static_cast<C&>(o).*get)();
    return v;
  };
  p.set = [set, n = p.name](Persistent& o, const Value& v) {
    T* t = v.ref ? dynamic_cast<T*>(v.ref) : nullptr;
    if (v.ref && !t) throw Error("property " + n + ": the component has the wrong class");
    (static_cast<C&>(o).*set)(t);
  };
  return p;
}

// An event slot member; the handler must have been registered with the same signature.
template <class C, class Sig>
PropInfo event(std::string name, Event<Sig> C::*member) {
  PropInfo p;
  p.name = std::move(name);
  p.kind = PropKind::Event;
  p.def = Value::ident("");
  p.get = [member](Persistent& o) {
    const Event<Sig>& e = static_cast<C&>(o).*member;
    Value v = Value::ident(e.handlerName());
    v.handlerOwner = e.handlerOwner();
    return v;
  };
  p.set = [member, n = p.name](Persistent& o, const Value& v) {
    using F = typename Event<Sig>::Function;
    const F* f = v.handler ? std::any_cast<F>(v.handler) : nullptr;
    if (v.handler && !f) throw Error("event " + n + ": handler " + v.s + " has the wrong signature");
    static_cast<C&>(o).*member = f ? Event<Sig>(*f, v.s, v.handlerOwner) : Event<Sig>();
  };
  return p;
}

// An owned settings object reached through an accessor.
template <class C, class T>
PropInfo object(std::string name, T& (C::*get)()) {
  PropInfo p;
  p.name = std::move(name);
  p.kind = PropKind::Object;
  p.hasDefault = false;
  p.object = [get](Persistent& o) -> Persistent* { return &(static_cast<C&>(o).*get)(); };
  return p;
}

// A resource reference (@NAME); the value is the resource name ("" = none).
template <class C>
PropInfo resource(std::string name, std::function<std::string(C&)> get,
                  std::function<void(C&, const std::string&)> set) {
  PropInfo p;
  p.name = std::move(name);
  p.kind = PropKind::Resource;
  p.def = Value::resource("");
  p.get = [get](Persistent& o) { return Value::resource(get(static_cast<C&>(o))); };
  p.set = [set](Persistent& o, const Value& v) { set(static_cast<C&>(o), v.s); };
  return p;
}

// A list of resource references ([@A, @B]); default: empty.
template <class C>
PropInfo resourceList(std::string name, std::function<std::vector<std::string>(C&)> get,
                      std::function<void(C&, const std::vector<std::string>&)> set) {
  PropInfo p;
  p.name = std::move(name);
  p.kind = PropKind::ResourceList;
  p.def = Value::list({});
  p.get = [get](Persistent& o) { return Value::list(get(static_cast<C&>(o))); };
  p.set = [set](Persistent& o, const Value& v) { set(static_cast<C&>(o), v.items); };
  return p;
}

// Marks a property as always written (no stored default).
inline PropInfo alwaysStored(PropInfo p) {
  p.hasDefault = false;
  return p;
}

}  // namespace prop

// Makes a component whose owner hears of its insertion once it is complete (a
// component made with plain `new T(owner)` is announced from the base constructor,
// when its class is not yet its own). The form description reader makes every
// component this way.
void deferNextInsertion();
void announceDeferredInsertion(Component* c);
template <class T, class... A>
T* make(Component* owner, A&&... args) {
  deferNextInsertion();
  T* t;
  try {
    t = new T(owner, std::forward<A>(args)...);
  } catch (...) {
    announceDeferredInsertion(nullptr);
    throw;
  }
  announceDeferredInsertion(t);
  return t;
}

// Factory for a component class with the usual (owner) constructor.
template <class T>
Component* makeComponent(Component* owner) {
  return make<T>(owner);
}

}  // namespace ui
