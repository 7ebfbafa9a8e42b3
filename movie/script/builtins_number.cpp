// Number and Boolean wrappers, and Math.
#include <cmath>
#include <limits>
#include <numbers>

#include "movie/script/builtins.h"
#include "movie/script/machine.h"
#include "movie/script/text_util.h"

namespace movie::script {
namespace {

Value primitiveOf(const CallArgs& a) {
  if (Object* o = a.self.object()) return o->primitive;
  return a.self;
}

}  // namespace

void installNumberBuiltins(Machine& m) {
  Function* number = m.makeClass("Number", [](Machine& m, CallArgs& a) -> Value {
    double n = a.size() ? m.toNumber(a.arg(0)) : 0;
    if (a.constructing) {
      if (Object* o = a.self.object()) o->primitive = n;
      return a.self;
    }
    return n;
  });
  number->put("MAX_VALUE", std::numeric_limits<double>::max(), kDontEnum | kDontDelete | kReadOnly);
  number->put("MIN_VALUE", std::numeric_limits<double>::denorm_min(), kDontEnum | kDontDelete | kReadOnly);
  number->put("NaN", std::numeric_limits<double>::quiet_NaN(), kDontEnum | kDontDelete | kReadOnly);
  number->put("POSITIVE_INFINITY", std::numeric_limits<double>::infinity(), kDontEnum | kDontDelete | kReadOnly);
  number->put("NEGATIVE_INFINITY", -std::numeric_limits<double>::infinity(), kDontEnum | kDontDelete | kReadOnly);
  Object* proto = m.prototypeOf("Number");
  proto->primitive = 0.0;
  m.method(proto, "toString", [](Machine& m, CallArgs& a) -> Value {
    Value p = primitiveOf(a);
    double n = p.isNumber() ? p.number() : m.toNumber(p);
    int radix = a.arg(0).isUndefined() ? 10 : toClampedInt(m.toNumber(a.arg(0)));
    return numberToRadix(n, radix);
  });
  m.method(proto, "valueOf", [](Machine&, CallArgs& a) -> Value { return primitiveOf(a); });

  Function* boolean = m.makeClass("Boolean", [](Machine& m, CallArgs& a) -> Value {
    bool b = a.size() ? m.toBoolean(a.arg(0)) : false;
    if (a.constructing) {
      if (Object* o = a.self.object()) o->primitive = b;
      return a.self;
    }
    return b;
  });
  (void)boolean;
  Object* bproto = m.prototypeOf("Boolean");
  bproto->primitive = false;
  m.method(bproto, "toString", [](Machine& m, CallArgs& a) -> Value { return m.toString(primitiveOf(a)); });
  m.method(bproto, "valueOf", [](Machine&, CallArgs& a) -> Value { return primitiveOf(a); });
}

void installMathBuiltins(Machine& m) {
  Object* math = m.newObject();
  m.global()->put("Math", math, kDontEnum);
  const uint8_t constant = kDontEnum | kDontDelete | kReadOnly;
  math->put("PI", std::numbers::pi, constant);
  math->put("E", std::numbers::e, constant);
  math->put("LN2", std::numbers::ln2, constant);
  math->put("LN10", std::numbers::ln10, constant);
  math->put("LOG2E", std::numbers::log2e, constant);
  math->put("LOG10E", std::numbers::log10e, constant);
  math->put("SQRT2", std::numbers::sqrt2, constant);
  math->put("SQRT1_2", 1 / std::numbers::sqrt2, constant);
  auto unary = [&](const char* name, double (*f)(double)) {
    m.method(math, name, [f](Machine& m, CallArgs& a) -> Value {
      if (a.args.empty()) return std::numeric_limits<double>::quiet_NaN();
      return f(m.toNumber(a.arg(0)));
    });
  };
  unary("abs", [](double x) { return std::fabs(x); });
  unary("acos", [](double x) { return std::acos(x); });
  unary("asin", [](double x) { return std::asin(x); });
  unary("atan", [](double x) { return std::atan(x); });
  unary("ceil", [](double x) { return std::ceil(x); });
  unary("cos", [](double x) { return std::cos(x); });
  unary("exp", [](double x) { return std::exp(x); });
  unary("floor", [](double x) { return std::floor(x); });
  unary("log", [](double x) { return std::log(x); });
  unary("round", [](double x) { return std::floor(x + 0.5); });
  unary("sin", [](double x) { return std::sin(x); });
  unary("sqrt", [](double x) { return std::sqrt(x); });
  unary("tan", [](double x) { return std::tan(x); });
  m.method(math, "atan2", [](Machine& m, CallArgs& a) -> Value {
    return std::atan2(m.toNumber(a.arg(0)), m.toNumber(a.arg(1)));
  });
  m.method(math, "pow", [](Machine& m, CallArgs& a) -> Value {
    return std::pow(m.toNumber(a.arg(0)), m.toNumber(a.arg(1)));
  });
  m.method(math, "max", [](Machine& m, CallArgs& a) -> Value {
    if (a.args.empty()) return -std::numeric_limits<double>::infinity();
    double best = -std::numeric_limits<double>::infinity();
    for (const Value& v : a.args) {
      double x = m.toNumber(v);
      if (std::isnan(x)) return x;
      best = std::max(best, x);
    }
    return best;
  });
  m.method(math, "min", [](Machine& m, CallArgs& a) -> Value {
    if (a.args.empty()) return std::numeric_limits<double>::infinity();
    double best = std::numeric_limits<double>::infinity();
    for (const Value& v : a.args) {
      double x = m.toNumber(v);
      if (std::isnan(x)) return x;
      best = std::min(best, x);
    }
    return best;
  });
  m.method(math, "random", [](Machine&, CallArgs&) -> Value { return randomUnit(); });
}

}  // namespace movie::script
