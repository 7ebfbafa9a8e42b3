#include "movie/script/array_object.h"

#include <cmath>

#include "movie/script/errors.h"
#include "movie/script/heap.h"
#include "movie/script/machine.h"

namespace movie::script {

long long arrayIndex(const std::string& name) {
  if (name.empty() || name.size() > 10) return -1;
  if (name.size() > 1 && name[0] == '0') return -1;
  long long v = 0;
  for (char c : name) {
    if (c < '0' || c > '9') return -1;
    v = v * 10 + (c - '0');
  }
  return v;
}

void ArrayObject::assign(std::vector<Value> items) {
  if (items.size() > kMaxLength) throw ScriptAbort("an array grew too long");
  heap().noteGrowth(items.size());
  items_ = std::move(items);
  heap().checkLimits();
}

void ArrayObject::setLength(double length) {
  if (std::isnan(length) || length < 0) return;
  if (length > double(kMaxLength)) throw ScriptAbort("an array grew too long");
  size_t n = size_t(length);
  if (n > items_.size()) heap().noteGrowth(n - items_.size());
  items_.resize(n);
  heap().checkLimits();
}

void ArrayObject::push(Value v) {
  if (items_.size() >= kMaxLength) throw ScriptAbort("an array grew too long");
  heap().noteGrowth(1);
  items_.push_back(std::move(v));
}

bool ArrayObject::getSpecial(Machine&, const std::string& name, Value& out) {
  if (name == "length") {
    out = double(items_.size());
    return true;
  }
  long long index = arrayIndex(name);
  if (index < 0 || size_t(index) >= items_.size()) return false;
  out = items_[size_t(index)];
  return true;
}

bool ArrayObject::setSpecial(Machine& m, const std::string& name, const Value& value) {
  if (name == "length") {
    setLength(std::trunc(m.toNumber(value)));
    return true;
  }
  long long index = arrayIndex(name);
  if (index < 0) return false;
  if (size_t(index) >= items_.size()) setLength(double(index) + 1);
  items_[size_t(index)] = value;
  return true;
}

bool ArrayObject::deleteSpecial(const std::string& name) {
  long long index = arrayIndex(name);
  if (index < 0 || size_t(index) >= items_.size()) return false;
  items_[size_t(index)] = Value();
  return true;
}

void ArrayObject::specialNames(std::vector<std::string>& out) {
  for (size_t i = items_.size(); i-- > 0;) out.push_back(std::to_string(i));
}

void ArrayObject::traceRefs(std::vector<Object*>& out) const {
  Object::traceRefs(out);
  for (const Value& v : items_)
    if (Object* o = v.object()) out.push_back(o);
}

}  // namespace movie::script
