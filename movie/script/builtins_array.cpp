// Array and its methods.
#include <algorithm>
#include <cmath>

#include "movie/script/array_object.h"
#include "movie/script/builtins.h"
#include "movie/script/errors.h"
#include "movie/script/machine.h"

namespace movie::script {
namespace {

enum SortFlag { kCaseInsensitive = 1, kDescending = 2, kUnique = 4, kReturnIndexes = 8, kNumeric = 16 };

ArrayObject* selfArray(const CallArgs& a) { return dynamic_cast<ArrayObject*>(a.self.object()); }

// Items of this: an array's elements, or an array-like object's indexed values.
std::vector<Value> itemsOf(Machine& m, const Value& self) {
  if (auto* array = dynamic_cast<ArrayObject*>(self.object())) return array->items();
  std::vector<Value> out;
  Object* o = self.object();
  if (!o) return out;
  double n = m.toNumber(m.getMember(o, "length"));
  if (!(n > 0)) return out;
  n = std::min(n, double(ArrayObject::kMaxLength));
  for (size_t i = 0; i < size_t(n); ++i) out.push_back(m.getMember(o, std::to_string(i)));
  return out;
}

std::string join(Machine& m, const std::vector<Value>& items, const std::string& separator) {
  std::string out;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) out += separator;
    out += m.toString(items[i]);
    m.checkString(out);
  }
  return out;
}

// Relative index as slice and splice take it.
size_t clampIndex(double v, size_t length) {
  if (std::isnan(v)) return 0;
  v = std::trunc(v);
  if (v < 0) v = std::max(0.0, double(length) + v);
  return size_t(std::min(v, double(length)));
}

// Merge sort: stable, and safe with any comparator a script gives.
template <class Less>
void mergeSort(std::vector<size_t>& order, Less less) {
  std::vector<size_t> tmp(order.size());
  for (size_t width = 1; width < order.size(); width *= 2) {
    for (size_t lo = 0; lo < order.size(); lo += 2 * width) {
      size_t mid = std::min(lo + width, order.size()), hi = std::min(lo + 2 * width, order.size());
      size_t i = lo, j = mid, k = lo;
      while (i < mid && j < hi) tmp[k++] = less(order[j], order[i]) ? order[j++] : order[i++];
      while (i < mid) tmp[k++] = order[i++];
      while (j < hi) tmp[k++] = order[j++];
    }
    order.swap(tmp);
  }
}

int compareValues(Machine& m, const Value& a, const Value& b, int flags) {
  if (flags & kNumeric) {
    double x = m.toNumber(a), y = m.toNumber(b);
    return x < y ? -1 : x > y ? 1 : 0;
  }
  std::string x = m.toString(a), y = m.toString(b);
  if (flags & kCaseInsensitive) {
    for (char& c : x) c = char(std::tolower(uint8_t(c)));
    for (char& c : y) c = char(std::tolower(uint8_t(c)));
  }
  return x < y ? -1 : x > y ? 1 : 0;
}

Value sortBy(Machine& m, CallArgs& a, const std::vector<std::string>& fields, Value comparator, int flags) {
  ArrayObject* array = selfArray(a);
  if (!array) return Value();
  std::vector<Value> items = array->items();
  std::vector<size_t> order(items.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  auto keyOf = [&](size_t i, const std::string& field) {
    return field.empty() ? items[i] : m.get(items[i], field);
  };
  bool duplicate = false;
  auto compare = [&](size_t x, size_t y) {
    int c = 0;
    if (comparator.object()) {
      c = toClampedInt(m.toNumber(m.call(comparator, Value(), {items[x], items[y]})));
    } else if (fields.empty()) {
      c = compareValues(m, items[x], items[y], flags);
    } else {
      for (const std::string& f : fields)
        if ((c = compareValues(m, keyOf(x, f), keyOf(y, f), flags)) != 0) break;
    }
    if (c == 0) duplicate = true;
    return (flags & kDescending) ? c > 0 : c < 0;
  };
  mergeSort(order, compare);
  if ((flags & kUnique) && duplicate) return 0.0;
  if (flags & kReturnIndexes) {
    std::vector<Value> indexes;
    for (size_t i : order) indexes.push_back(double(i));
    return m.newArray(std::move(indexes));
  }
  std::vector<Value> sorted;
  for (size_t i : order) sorted.push_back(items[i]);
  array->assign(std::move(sorted));
  return array;
}

void installArrayMethods(Machine& m, Object* proto) {
  m.method(proto, "push", [](Machine&, CallArgs& a) -> Value {
    ArrayObject* array = selfArray(a);
    if (!array) return Value();
    for (Value& v : a.args) array->push(v);
    return double(array->items().size());
  });
  m.method(proto, "pop", [](Machine&, CallArgs& a) -> Value {
    ArrayObject* array = selfArray(a);
    if (!array || array->items().empty()) return Value();
    Value v = array->items().back();
    array->items().pop_back();
    return v;
  });
  m.method(proto, "shift", [](Machine&, CallArgs& a) -> Value {
    ArrayObject* array = selfArray(a);
    if (!array || array->items().empty()) return Value();
    Value v = array->items().front();
    array->items().erase(array->items().begin());
    return v;
  });
  m.method(proto, "unshift", [](Machine&, CallArgs& a) -> Value {
    ArrayObject* array = selfArray(a);
    if (!array) return Value();
    std::vector<Value> items = a.args;
    items.insert(items.end(), array->items().begin(), array->items().end());
    array->assign(std::move(items));
    return double(array->items().size());
  });
  m.method(proto, "join", [](Machine& m, CallArgs& a) -> Value {
    std::string separator = a.arg(0).isUndefined() ? "," : m.toString(a.arg(0));
    return join(m, itemsOf(m, a.self), separator);
  });
  m.method(proto, "toString", [](Machine& m, CallArgs& a) -> Value { return join(m, itemsOf(m, a.self), ","); });
  m.method(proto, "reverse", [](Machine&, CallArgs& a) -> Value {
    ArrayObject* array = selfArray(a);
    if (array) std::reverse(array->items().begin(), array->items().end());
    return a.self;
  });
  m.method(proto, "concat", [](Machine& m, CallArgs& a) -> Value {
    std::vector<Value> items = itemsOf(m, a.self);
    for (const Value& v : a.args) {
      if (auto* other = dynamic_cast<ArrayObject*>(v.object()))
        items.insert(items.end(), other->items().begin(), other->items().end());
      else
        items.push_back(v);
      if (items.size() > ArrayObject::kMaxLength) throw ScriptAbort("an array grew too long");
    }
    return m.newArray(std::move(items));
  });
  m.method(proto, "slice", [](Machine& m, CallArgs& a) -> Value {
    std::vector<Value> items = itemsOf(m, a.self);
    size_t begin = clampIndex(m.toNumber(a.arg(0)), items.size());
    size_t end = a.arg(1).isUndefined() ? items.size() : clampIndex(m.toNumber(a.arg(1)), items.size());
    if (end < begin) end = begin;
    return m.newArray(std::vector<Value>(items.begin() + long(begin), items.begin() + long(end)));
  });
  m.method(proto, "splice", [](Machine& m, CallArgs& a) -> Value {
    ArrayObject* array = selfArray(a);
    if (!array || a.args.empty()) return Value();
    std::vector<Value>& items = array->items();
    size_t start = clampIndex(m.toNumber(a.arg(0)), items.size());
    size_t count = items.size() - start;
    if (a.size() > 1) {
      double c = m.toNumber(a.arg(1));
      count = std::isnan(c) || c < 0 ? 0 : size_t(std::min(c, double(count)));
    }
    std::vector<Value> removed(items.begin() + long(start), items.begin() + long(start + count));
    items.erase(items.begin() + long(start), items.begin() + long(start + count));
    if (a.size() > 2) items.insert(items.begin() + long(start), a.args.begin() + 2, a.args.end());
    if (items.size() > ArrayObject::kMaxLength) throw ScriptAbort("an array grew too long");
    return m.newArray(std::move(removed));
  });
  m.method(proto, "sort", [](Machine& m, CallArgs& a) -> Value {
    Value comparator = a.arg(0).object() && a.arg(0).object()->asFunction() ? a.arg(0) : Value();
    Value flagsValue = comparator.isUndefined() ? a.arg(0) : a.arg(1);
    int flags = flagsValue.isNumber() ? int(toInt32(flagsValue.number())) : 0;
    return sortBy(m, a, {}, comparator, flags);
  });
  m.method(proto, "sortOn", [](Machine& m, CallArgs& a) -> Value {
    std::vector<std::string> fields;
    if (auto* list = dynamic_cast<ArrayObject*>(a.arg(0).object())) {
      for (const Value& v : list->items()) fields.push_back(m.toString(v));
    } else {
      fields.push_back(m.toString(a.arg(0)));
    }
    int flags = a.arg(1).isNumber() ? int(toInt32(a.arg(1).number())) : 0;
    return sortBy(m, a, fields, Value(), flags);
  });
}

}  // namespace

void installArrayBuiltins(Machine& m) {
  Function* array = m.newNative([](Machine& m, CallArgs& a) -> Value {
    auto* target = a.constructing ? dynamic_cast<ArrayObject*>(a.self.object()) : nullptr;
    ArrayObject* out = target ? target : static_cast<ArrayObject*>(m.newArray());
    if (a.size() == 1 && a.arg(0).isNumber()) out->setLength(std::trunc(a.arg(0).number()));
    else out->assign(a.args);
    return out;
  }, "Array");
  array->allocator = [](Machine& m, Object* proto) -> Object* {
    Object* o = m.newArray();
    o->setProto(proto);
    return o;
  };
  array->put("prototype", m.arrayPrototype(), kDontEnum | kDontDelete);
  m.arrayPrototype()->put("constructor", array, kDontEnum);
  array->put("CASEINSENSITIVE", double(kCaseInsensitive), kDontEnum);
  array->put("DESCENDING", double(kDescending), kDontEnum);
  array->put("UNIQUESORT", double(kUnique), kDontEnum);
  array->put("RETURNINDEXEDARRAY", double(kReturnIndexes), kDontEnum);
  array->put("NUMERIC", double(kNumeric), kDontEnum);
  m.global()->put("Array", array, kDontEnum);
  installArrayMethods(m, m.arrayPrototype());
}

}  // namespace movie::script
