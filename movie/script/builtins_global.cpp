// The global functions: number parsing, escaping, timers, trace.
#include <cmath>
#include <limits>

#include "movie/script/builtins.h"
#include "movie/script/machine.h"
#include "movie/script/text_util.h"

namespace movie::script {
namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

Value parseInteger(Machine& m, CallArgs& a) {
  std::string s = m.toString(a.arg(0));
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  int radix = a.arg(1).isUndefined() ? 0 : toClampedInt(m.toNumber(a.arg(1)));
  if (radix != 0 && (radix < 2 || radix > 36)) return kNaN;
  if ((radix == 0 || radix == 16) && i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    i += 2;
    radix = 16;
  } else if (radix == 0 && i + 1 < s.size() && s[i] == '0') {
    // A leading zero means octal when every digit is octal.
    bool octal = true;
    for (size_t k = i; k < s.size() && digitValue(s[k]) < 10; ++k)
      if (digitValue(s[k]) > 7) octal = false;
    radix = octal ? 8 : 10;
  }
  if (radix == 0) radix = 10;
  double v = 0;
  size_t start = i;
  for (; i < s.size() && digitValue(s[i]) < radix; ++i) v = v * radix + digitValue(s[i]);
  if (i == start) return kNaN;
  return negative ? -v : v;
}

Value parseFloating(Machine& m, CallArgs& a) {
  std::string s = m.toString(a.arg(0));
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r')) ++i;
  size_t start = i;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
  bool digits = false;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, digits = true;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, digits = true;
  }
  if (!digits) return kNaN;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t e = i + 1;
    if (e < s.size() && (s[e] == '-' || s[e] == '+')) ++e;
    if (e < s.size() && s[e] >= '0' && s[e] <= '9') {
      i = e;
      while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    }
  }
  return std::strtod(s.substr(start, i - start).c_str(), nullptr);
}

// setInterval(fn, ms, args...) or setInterval(object, "method", ms, args...).
Value addTimer(Machine& m, CallArgs& a, bool repeat) {
  Machine::Timer t;
  size_t next = 0;
  Object* first = a.arg(0).object();
  if (first && first->asFunction()) {
    t.fn = a.arg(0);
    next = 1;
  } else if (first && a.size() >= 2) {
    t.self = a.arg(0);
    t.methodName = m.toString(a.arg(1));
    next = 2;
  } else {
    return Value();
  }
  double interval = m.toNumber(a.arg(next));
  t.interval = std::isfinite(interval) && interval > 0 ? interval : 0;
  t.args.assign(a.args.begin() + long(std::min(a.args.size(), next + 1)), a.args.end());
  t.repeat = repeat;
  t.due = m.host().milliseconds() + t.interval;
  t.id = m.nextTimerId();
  if (m.timers().size() >= 10000) return Value();
  m.timers().push_back(t);
  return double(t.id);
}

Value removeTimer(Machine& m, CallArgs& a) {
  double id = m.toNumber(a.arg(0));
  auto& timers = m.timers();
  for (auto it = timers.begin(); it != timers.end(); ++it)
    if (double(it->id) == id) {
      timers.erase(it);
      break;
    }
  return Value();
}

}  // namespace

void installGlobalFunctions(Machine& m) {
  Object* g = m.global();
  auto fn = [&](const char* name, NativeFn f) { g->put(name, m.newNative(std::move(f), name), kDontEnum); };
  fn("parseInt", parseInteger);
  fn("parseFloat", parseFloating);
  fn("isNaN", [](Machine& m, CallArgs& a) -> Value { return std::isnan(m.toNumber(a.arg(0))); });
  fn("isFinite", [](Machine& m, CallArgs& a) -> Value { return std::isfinite(m.toNumber(a.arg(0))); });
  fn("escape", [](Machine& m, CallArgs& a) -> Value { return escapeText(m.toString(a.arg(0))); });
  fn("unescape", [](Machine& m, CallArgs& a) -> Value { return unescapeText(m.toString(a.arg(0))); });
  fn("setInterval", [](Machine& m, CallArgs& a) -> Value { return addTimer(m, a, true); });
  fn("setTimeout", [](Machine& m, CallArgs& a) -> Value { return addTimer(m, a, false); });
  fn("clearInterval", removeTimer);
  fn("clearTimeout", removeTimer);
  fn("trace", [](Machine& m, CallArgs& a) -> Value {
    m.host().trace(m.toString(a.arg(0)));
    return Value();
  });
  g->put("NaN", kNaN, kDontEnum);
  g->put("Infinity", std::numeric_limits<double>::infinity(), kDontEnum);
}

}  // namespace movie::script
