#include "movie/script/object.h"

#include <algorithm>

#include "movie/script/heap.h"

namespace movie::script {

Object::Object(Heap& heap, Object* proto) : heap_(heap), proto_(proto) {}

bool Object::getSpecial(Machine&, const std::string&, Value&) { return false; }
bool Object::setSpecial(Machine&, const std::string&, const Value&) { return false; }

void Object::traceRefs(std::vector<Object*>& out) const {
  if (proto_) out.push_back(proto_);
  if (Object* o = primitive.object()) out.push_back(o);
  for (const auto& [key, p] : props_) {
    if (Object* o = p.value.object()) out.push_back(o);
    if (p.getter) out.push_back(p.getter);
    if (p.setter) out.push_back(p.setter);
  }
}

std::string Object::keyOf(const std::string& name) const {
  if (heap_.caseSensitive()) return name;
  std::string key = name;
  for (char& c : key)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return key;
}

Property* Object::findOwn(const std::string& name) {
  auto it = props_.find(keyOf(name));
  return it == props_.end() ? nullptr : &it->second;
}

const Property* Object::findOwn(const std::string& name) const {
  auto it = props_.find(keyOf(name));
  return it == props_.end() ? nullptr : &it->second;
}

Property& Object::put(const std::string& name, const Value& value, uint8_t flags) {
  auto [it, added] = props_.try_emplace(keyOf(name));
  Property& p = it->second;
  if (added) {
    p.name = name;
    p.flags = flags;
    p.order = nextOrder_++;
    heap_.noteGrowth(1);
  }
  p.value = value;
  return p;
}

bool Object::remove(const std::string& name) {
  auto it = props_.find(keyOf(name));
  if (it == props_.end() || (it->second.flags & kDontDelete)) return false;
  props_.erase(it);
  return true;
}

std::vector<const Property*> Object::ownProperties() const {
  std::vector<const Property*> out;
  out.reserve(props_.size());
  for (const auto& [key, p] : props_) out.push_back(&p);
  std::sort(out.begin(), out.end(), [](const Property* a, const Property* b) { return a->order < b->order; });
  return out;
}

}  // namespace movie::script
