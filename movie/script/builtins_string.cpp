// String: the wrapper object and its methods (indices count characters).
#include <cmath>

#include "movie/script/array_object.h"
#include "movie/script/builtins.h"
#include "movie/script/machine.h"
#include "movie/script/text_util.h"

namespace movie::script {
namespace {

class StringObject : public Object {
 public:
  using Object::Object;
  std::string typeName() const override { return "String"; }
  bool getSpecial(Machine& m, const std::string& name, Value& out) override {
    if (name != "length") return false;
    out = double(stringLength(primitive.string(), m.version() >= 6));
    return true;
  }
};

double intArg(Machine& m, const CallArgs& a, size_t i, double fallback) {
  if (i >= a.size() || a.arg(i).isUndefined()) return fallback;
  double v = m.toNumber(a.arg(i));
  return std::isnan(v) ? 0 : std::trunc(v);
}

size_t clampTo(double v, size_t length) { return size_t(std::max(0.0, std::min(v, double(length)))); }

void installStringMethods(Machine& m, Object* proto) {
  m.method(proto, "toString", [](Machine& m, CallArgs& a) -> Value { return thisString(m, a); });
  m.method(proto, "valueOf", [](Machine& m, CallArgs& a) -> Value { return thisString(m, a); });
  m.method(proto, "charAt", [](Machine& m, CallArgs& a) -> Value {
    std::vector<uint32_t> p = codePoints(thisString(m, a));
    double i = intArg(m, a, 0, 0);
    if (i < 0 || i >= double(p.size())) return "";
    return encodeCodePoint(p[size_t(i)]);
  });
  m.method(proto, "charCodeAt", [](Machine& m, CallArgs& a) -> Value {
    std::vector<uint32_t> p = codePoints(thisString(m, a));
    double i = intArg(m, a, 0, 0);
    if (i < 0 || i >= double(p.size())) return std::nan("");
    return double(p[size_t(i)]);
  });
  m.method(proto, "indexOf", [](Machine& m, CallArgs& a) -> Value {
    std::vector<uint32_t> s = codePoints(thisString(m, a)), t = codePoints(m.toString(a.arg(0)));
    size_t from = clampTo(intArg(m, a, 1, 0), s.size());
    if (t.size() > s.size()) return -1.0;
    for (size_t i = from; i + t.size() <= s.size(); ++i)
      if (std::equal(t.begin(), t.end(), s.begin() + long(i))) return double(i);
    return -1.0;
  });
  m.method(proto, "lastIndexOf", [](Machine& m, CallArgs& a) -> Value {
    std::vector<uint32_t> s = codePoints(thisString(m, a)), t = codePoints(m.toString(a.arg(0)));
    if (t.size() > s.size()) return -1.0;
    double from = intArg(m, a, 1, double(s.size()));
    if (from < 0) return -1.0;
    size_t start = std::min(size_t(from), s.size() - t.size());
    for (size_t i = start + 1; i-- > 0;)
      if (std::equal(t.begin(), t.end(), s.begin() + long(i))) return double(i);
    return -1.0;
  });
  m.method(proto, "substr", [](Machine& m, CallArgs& a) -> Value {
    std::vector<uint32_t> p = codePoints(thisString(m, a));
    double start = intArg(m, a, 0, 0);
    if (start < 0) start = std::max(0.0, double(p.size()) + start);
    size_t begin = clampTo(start, p.size());
    double count = intArg(m, a, 1, double(p.size()));
    if (count < 0) count = 0;
    return fromCodePoints(p, begin, begin + clampTo(count, p.size() - begin));
  });
  m.method(proto, "substring", [](Machine& m, CallArgs& a) -> Value {
    std::vector<uint32_t> p = codePoints(thisString(m, a));
    size_t begin = clampTo(intArg(m, a, 0, 0), p.size());
    size_t end = clampTo(intArg(m, a, 1, double(p.size())), p.size());
    if (end < begin) std::swap(begin, end);
    return fromCodePoints(p, begin, end);
  });
  m.method(proto, "slice", [](Machine& m, CallArgs& a) -> Value {
    std::vector<uint32_t> p = codePoints(thisString(m, a));
    double n = double(p.size());
    double s = intArg(m, a, 0, 0), e = intArg(m, a, 1, n);
    if (s < 0) s += n;
    if (e < 0) e += n;
    size_t begin = clampTo(s, p.size()), end = clampTo(e, p.size());
    return end > begin ? fromCodePoints(p, begin, end) : std::string();
  });
  m.method(proto, "toUpperCase", [](Machine& m, CallArgs& a) -> Value { return upperCase(thisString(m, a)); });
  m.method(proto, "toLowerCase", [](Machine& m, CallArgs& a) -> Value { return lowerCase(thisString(m, a)); });
  m.method(proto, "concat", [](Machine& m, CallArgs& a) -> Value {
    std::string s = thisString(m, a);
    for (const Value& v : a.args) s += m.toString(v);
    m.checkString(s);
    return s;
  });
  m.method(proto, "split", [](Machine& m, CallArgs& a) -> Value {
    std::string s = thisString(m, a);
    std::vector<Value> parts;
    double limit = a.arg(1).isUndefined() ? 4294967295.0 : m.toNumber(a.arg(1));
    if (a.arg(0).isUndefined()) {
      parts.push_back(s);
    } else {
      std::string separator = m.toString(a.arg(0));
      if (separator.empty()) {
        std::vector<uint32_t> p = codePoints(s);
        for (uint32_t c : p) parts.push_back(encodeCodePoint(c));
      } else {
        size_t start = 0;
        while (true) {
          size_t at = s.find(separator, start);
          parts.push_back(s.substr(start, at == std::string::npos ? std::string::npos : at - start));
          if (at == std::string::npos) break;
          start = at + separator.size();
        }
      }
    }
    if (!(limit >= 0)) limit = 0;
    if (double(parts.size()) > limit) parts.resize(size_t(limit));
    return m.newArray(std::move(parts));
  });
}

}  // namespace

std::string thisString(Machine& m, const CallArgs& a) {
  if (a.self.isString()) return a.self.string();
  if (Object* o = a.self.object())
    if (o->primitive.isString()) return o->primitive.string();
  return m.toString(a.self);
}

Object* newStringObject(Machine& m, const std::string& s) {
  Object* o = m.heap().make<StringObject>(m.prototypeOf("String"));
  o->primitive = s;
  return o;
}

void installStringBuiltins(Machine& m) {
  Function* string = m.makeClass("String", [](Machine& m, CallArgs& a) -> Value {
    std::string s = a.size() ? m.toString(a.arg(0)) : std::string();
    if (a.constructing) {
      if (Object* o = a.self.object()) o->primitive = s;
      return a.self;
    }
    return s;
  });
  string->allocator = [](Machine& m, Object* proto) -> Object* {
    Object* o = newStringObject(m, "");
    o->setProto(proto);
    return o;
  };
  m.method(string, "fromCharCode", [](Machine& m, CallArgs& a) -> Value {
    std::string s;
    for (const Value& v : a.args) s += encodeCodePoint(toUint32(m.toNumber(v)) & 0xFFFF);
    return s;
  });
  installStringMethods(m, m.prototypeOf("String"));
}

}  // namespace movie::script
