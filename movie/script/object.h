#pragma once
// A script object: own properties (with flags, and getters/setters added by scripts),
// a prototype link, and hooks through which host objects (movie clips, arrays, sounds,
// text fields) answer properties of their own.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "movie/script/value.h"

namespace movie::script {

class Heap;
class Machine;
class Function;

enum PropertyFlag : uint8_t {
  kDontEnum = 1,
  kDontDelete = 2,
  kReadOnly = 4,
};

struct Property {
  std::string name;  // as first written
  Value value;
  Object* getter = nullptr;  // functions of addProperty; a property with either is virtual
  Object* setter = nullptr;
  uint8_t flags = 0;
  uint64_t order = 0;  // insertion order, for enumeration
};

class Object {
 public:
  explicit Object(Heap& heap, Object* proto = nullptr);
  virtual ~Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  Heap& heap() const { return heap_; }
  Object* proto() const { return proto_; }
  void setProto(Object* proto) { proto_ = proto; }

  // What Object.prototype.toString names: "[object Object]" unless a kind says more.
  virtual std::string typeName() const { return "Object"; }
  virtual Function* asFunction() { return nullptr; }

  // Host properties of this object itself (not inherited through prototypes).
  // getSpecial returns true when it answered; setSpecial when it took the value.
  virtual bool getSpecial(Machine&, const std::string& name, Value& out);
  virtual bool setSpecial(Machine&, const std::string& name, const Value& value);
  virtual bool deleteSpecial(const std::string&) { return false; }
  // Names of host properties that enumeration lists (array indices, child clips).
  virtual void specialNames(std::vector<std::string>&) {}
  // Objects this one keeps alive beyond its properties (for the collector).
  virtual void traceRefs(std::vector<Object*>& out) const;

  // Own properties. Names are compared as the heap says (case-insensitive before
  // movies of version 7).
  Property* findOwn(const std::string& name);
  const Property* findOwn(const std::string& name) const;
  // Sets (or creates) a plain own value; flags apply only on creation.
  Property& put(const std::string& name, const Value& value, uint8_t flags = 0);
  bool remove(const std::string& name);  // false when absent or not deletable
  void clearOwn() { props_.clear(); }
  // Own properties in enumeration order (the order they were added).
  std::vector<const Property*> ownProperties() const;
  size_t ownCount() const { return props_.size(); }

  // The value of a primitive wrapper (Number, String, Boolean, Date), or undefined.
  Value primitive;

 private:
  std::string keyOf(const std::string& name) const;

  Heap& heap_;
  Object* proto_;
  std::unordered_map<std::string, Property> props_;
  uint64_t nextOrder_ = 0;
};

}  // namespace movie::script
