#include "movie/script/machine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <unordered_set>

#include "movie/script/activation.h"
#include "movie/script/array_object.h"
#include "movie/script/builtins.h"
#include "movie/script/clip_object.h"
#include "movie/script/errors.h"
#include "movie/script/interpreter.h"
#include "movie/script/scope_ops.h"
#include "movie/script/text_util.h"

namespace movie::script {
namespace {

constexpr int kMaxProtoChain = 256;

struct DepthGuard {
  int& depth;
  explicit DepthGuard(int& d) : depth(d) { ++depth; }
  ~DepthGuard() { --depth; }
};

}  // namespace

Machine::Machine(MachineHost& host, int version) : host_(host), version_(version) {
  heap_.setCaseSensitive(version >= 7);
  frameStart_ = std::chrono::steady_clock::now();
  installBuiltins();
}

Machine::~Machine() = default;

void Machine::installBuiltins() {
  objectProto_ = heap_.make<Object>(nullptr);
  functionProto_ = heap_.make<Object>(objectProto_);
  global_ = heap_.make<Object>(objectProto_);
  arrayProto_ = heap_.make<Object>(objectProto_);
  installObjectBuiltins(*this);
  installFunctionBuiltins(*this);
  installArrayBuiltins(*this);
  installStringBuiltins(*this);
  installNumberBuiltins(*this);
  installMathBuiltins(*this);
  installGlobalFunctions(*this);
  installDateBuiltins(*this);
  installMovieClipBuiltins(*this);
  installDragBuiltins(*this);
  installGeomBuiltins(*this);
  installInputBuiltins(*this);
  installSoundBuiltins(*this);
  installColorBuiltins(*this);
  installStageBuiltins(*this);
  installLoaderBuiltins(*this);
}

// ---- running code ----

void Machine::run(const CodeRange& code, Object* clip) {
  if (!code.bytes) return;
  bool nested = current_ != nullptr;
  if (frameAborted_ && !nested) return;
  Activation act;
  act.code = code;
  act.version = version_;
  act.scopes.push_back(clip);
  act.self = clip;
  act.target = act.baseClip = clip;
  act.registers.resize(4);
  try {
    Interpreter::execute(*this, act);
  } catch (ScriptThrow& thrown) {
    if (nested) throw;
    errors_.push_back("uncaught: " + toString(thrown.value));
  } catch (ScriptAbort& abort) {
    if (nested) throw;
    errors_.push_back(abort.what());
    frameAborted_ = instructions_ > budgets_.instructionsPerFrame || frameAborted_;
  } catch (std::bad_alloc&) {
    if (nested) throw;
    errors_.push_back("the script ran out of memory");
  }
  if (errors_.size() > 1000) errors_.erase(errors_.begin(), errors_.begin() + 500);
}

void Machine::beginFrame() {
  instructions_ = 0;
  frameAborted_ = false;
  frameStart_ = std::chrono::steady_clock::now();
}

void Machine::countInstruction() {
  ++instructions_;
  if (instructions_ > budgets_.instructionsPerFrame) {
    frameAborted_ = true;
    throw ScriptAbort("a script ran too long and was stopped");
  }
  if ((instructions_ & 4095) == 0 && std::chrono::steady_clock::now() - frameStart_ > budgets_.timePerFrame) {
    frameAborted_ = true;
    instructions_ = budgets_.instructionsPerFrame + 1;
    throw ScriptAbort("a script ran too long and was stopped");
  }
}

void Machine::collectGarbage(const std::vector<Object*>& extraRoots) {
  if (current_) return;
  std::vector<Object*> roots = extraRoots;
  roots.push_back(global_);
  roots.push_back(objectProto_);
  roots.push_back(functionProto_);
  roots.push_back(arrayProto_);
  for (const Timer& t : timers_) {
    if (Object* o = t.fn.object()) roots.push_back(o);
    if (Object* o = t.self.object()) roots.push_back(o);
    for (const Value& v : t.args)
      if (Object* o = v.object()) roots.push_back(o);
  }
  heap_.collect(roots);
}

void Machine::throwValue(const Value& v) { throw ScriptThrow{v}; }

void Machine::checkString(const std::string& s) {
  if (s.size() > budgets_.maxStringBytes) throw ScriptAbort("the script made a string too long");
  instructions_ += (long long)(s.size() / 256);
}

// ---- conversions ----

double Machine::toNumber(const Value& v) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  switch (v.type()) {
    case Value::Type::Undefined:
    case Value::Type::Null: return version_ >= 7 ? nan : 0;
    case Value::Type::Boolean: return v.boolean() ? 1 : 0;
    case Value::Type::Number: return v.number();
    case Value::Type::String: {
      double n = stringToNumber(v.string(), version_);
      return std::isnan(n) && version_ < 5 ? 0 : n;
    }
    case Value::Type::Object: {
      if (nodeOf(v)) return nan;
      Value p = toPrimitive(v);
      return p.isObject() ? nan : toNumber(p);
    }
  }
  return nan;
}

std::string Machine::toString(const Value& v) {
  switch (v.type()) {
    case Value::Type::Undefined: return version_ >= 7 ? "undefined" : "";
    case Value::Type::Null: return "null";
    case Value::Type::Boolean: return v.boolean() ? "true" : "false";
    case Value::Type::Number: return numberToString(v.number());
    case Value::Type::String: return v.string();
    case Value::Type::Object: {
      Value p = toPrimitive(v, true);
      if (p.isObject()) return p.object()->asFunction() ? "[type Function]" : "[type Object]";
      return toString(p);
    }
  }
  return "";
}

bool Machine::toBoolean(const Value& v) {
  switch (v.type()) {
    case Value::Type::Undefined:
    case Value::Type::Null: return false;
    case Value::Type::Boolean: return v.boolean();
    case Value::Type::Number: return v.number() != 0 && !std::isnan(v.number());
    case Value::Type::String: {
      if (version_ >= 7) return !v.string().empty();
      double n = stringToNumber(v.string(), version_);
      return n != 0 && !std::isnan(n);
    }
    case Value::Type::Object: return true;
  }
  return false;
}

Value Machine::toPrimitive(const Value& v, bool preferString) {
  Object* o = v.object();
  if (!o) return v;
  // Clips have no primitive value of their own (they print as their path).
  if (dynamic_cast<ClipObject*>(o)) return preferString && nodeOf(v) ? Value(targetPath(nodeOf(v))) : Value();
  if (o->typeName() == "Date") preferString = true;
  const char* order[2] = {preferString ? "toString" : "valueOf", preferString ? "valueOf" : "toString"};
  for (const char* name : order) {
    Value fn = getMember(o, name);
    if (!fn.object() || !fn.object()->asFunction()) continue;
    Value r = call(fn, v, {});
    if (!r.isObject()) return r;
  }
  return v;
}

Object* Machine::toObject(const Value& v) {
  switch (v.type()) {
    case Value::Type::Object: return v.object();
    case Value::Type::Undefined:
    case Value::Type::Null: return nullptr;
    case Value::Type::Boolean: {
      Object* o = heap_.make<Object>(prototypeOf("Boolean"));
      o->primitive = v;
      return o;
    }
    case Value::Type::Number: {
      Object* o = heap_.make<Object>(prototypeOf("Number"));
      o->primitive = v;
      return o;
    }
    case Value::Type::String: return newStringObject(*this, v.string());
  }
  return nullptr;
}

std::string Machine::typeOf(const Value& v) {
  switch (v.type()) {
    case Value::Type::Undefined: return "undefined";
    case Value::Type::Null: return "null";
    case Value::Type::Boolean: return "boolean";
    case Value::Type::Number: return "number";
    case Value::Type::String: return "string";
    case Value::Type::Object:
      // Text fields are display objects too, but scripts see them as plain objects.
      if (dynamic_cast<ClipObject*>(v.object()) && v.object()->typeName() == "MovieClip") return "movieclip";
      if (v.object()->asFunction()) return "function";
      return "object";
  }
  return "undefined";
}

bool Machine::strictEquals(const Value& a, const Value& b) {
  if (a.type() != b.type()) return false;
  switch (a.type()) {
    case Value::Type::Undefined:
    case Value::Type::Null: return true;
    case Value::Type::Boolean: return a.boolean() == b.boolean();
    case Value::Type::Number: return a.number() == b.number();
    case Value::Type::String: return a.string() == b.string();
    case Value::Type::Object: return a.object() == b.object();
  }
  return false;
}

bool Machine::looseEquals(const Value& a, const Value& b) {
  if (a.type() == b.type()) return strictEquals(a, b);
  if (a.isNullish() && b.isNullish()) return true;
  if (a.isNullish() || b.isNullish()) return false;
  if (a.isNumber() && b.isString()) return a.number() == toNumber(b);
  if (a.isString() && b.isNumber()) return toNumber(a) == b.number();
  if (a.isBoolean()) return looseEquals(Value(a.boolean() ? 1.0 : 0.0), b);
  if (b.isBoolean()) return looseEquals(a, Value(b.boolean() ? 1.0 : 0.0));
  if (a.isObject() && !b.isObject()) {
    Value p = toPrimitive(a);
    return p.isObject() ? false : looseEquals(p, b);
  }
  if (b.isObject() && !a.isObject()) {
    Value p = toPrimitive(b);
    return p.isObject() ? false : looseEquals(a, p);
  }
  return false;
}

Value Machine::lessThan(const Value& a, const Value& b) {
  Value pa = toPrimitive(a), pb = toPrimitive(b);
  if (pa.isString() && pb.isString()) return pa.string() < pb.string();
  double x = toNumber(pa), y = toNumber(pb);
  if (std::isnan(x) || std::isnan(y)) return Value();
  return x < y;
}

Value Machine::add(const Value& a, const Value& b) {
  Value pa = toPrimitive(a), pb = toPrimitive(b);
  if (pa.isString() || pb.isString()) {
    // A clip joins text as its path, though it is no number.
    std::string s = (nodeOf(a) ? toString(a) : toString(pa)) + (nodeOf(b) ? toString(b) : toString(pb));
    checkString(s);
    return s;
  }
  return toNumber(pa) + toNumber(pb);
}

bool Machine::instanceOf(const Value& v, Object* constructor) {
  Object* o = v.object();
  if (!o || !constructor) return false;
  Object* prototype = getMember(constructor, "prototype").object();
  if (!prototype) return false;
  std::vector<Object*> seen;
  int steps = 0;
  for (Object* p = o->proto(); p && steps < kMaxProtoChain; p = p->proto(), ++steps) {
    if (p == prototype) return true;
    // Interfaces a class implements count too.
    if (const Property* list = p->findOwn("__implements__")) {
      if (auto* array = dynamic_cast<ArrayObject*>(list->value.object()))
        for (const Value& i : array->items())
          if (Object* iface = i.object())
            if (getMember(iface, "prototype").object() == prototype) return true;
    }
  }
  return false;
}

// ---- members ----

Value Machine::get(const Value& object, const std::string& name) {
  if (object.isString() && name == "length") return double(stringLength(object.string(), version_ >= 6));
  Object* o = toObject(object);
  return o ? getMember(o, name) : Value();
}

Value Machine::getMember(Object* object, const std::string& name) {
  if (!object) return Value();
  if (name == "__proto__") return object->proto();
  int steps = 0;
  for (Object* o = object; o && steps < kMaxProtoChain; o = o->proto(), ++steps) {
    if (const Property* p = o->findOwn(name)) {
      if (p->getter || p->setter) return p->getter ? call(p->getter, object, {}) : Value();
      return p->value;
    }
    Value out;
    if (o->getSpecial(*this, name, out)) return out;
  }
  return Value();
}

void Machine::setMember(Object* object, const std::string& name, const Value& value) {
  if (!object) return;
  if (name == "__proto__") {
    object->setProto(value.object());
    return;
  }
  if (object->setSpecial(*this, name, value)) return;
  if (Property* own = object->findOwn(name)) {
    if (own->getter || own->setter) {
      if (own->setter) call(own->setter, object, {value});
      return;
    }
    if (!(own->flags & kReadOnly)) own->value = value;
    return;
  }
  int steps = 0;
  for (Object* o = object->proto(); o && steps < kMaxProtoChain; o = o->proto(), ++steps) {
    const Property* p = o->findOwn(name);
    if (!p) continue;
    if (p->getter || p->setter) {
      if (p->setter) call(p->setter, object, {value});
      return;
    }
    break;
  }
  object->put(name, value);
  heap_.checkLimits();
}

bool Machine::hasMember(Object* object, const std::string& name) {
  int steps = 0;
  for (Object* o = object; o && steps < kMaxProtoChain; o = o->proto(), ++steps) {
    if (o->findOwn(name)) return true;
    Value out;
    if (o->getSpecial(*this, name, out)) return true;
  }
  return false;
}

std::vector<std::string> Machine::enumerate(Object* object) {
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  auto key = [&](const std::string& n) {
    if (heap_.caseSensitive()) return n;
    std::string k = n;
    for (char& c : k)
      if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return k;
  };
  int steps = 0;
  for (Object* o = object; o && steps < kMaxProtoChain; o = o->proto(), ++steps) {
    std::vector<std::string> special;
    o->specialNames(special);
    for (const std::string& n : special)
      if (seen.insert(key(n)).second) names.push_back(n);
    for (const Property* p : o->ownProperties()) {
      bool fresh = seen.insert(key(p->name)).second;
      if (fresh && !(p->flags & kDontEnum)) names.push_back(p->name);
    }
  }
  return names;
}

// ---- calls ----

Value Machine::call(const Value& fn, const Value& self, std::vector<Value> args, Object* home) {
  Object* o = fn.object();
  Function* f = o ? o->asFunction() : nullptr;
  if (!f) return Value();
  return callFunction(f, self, args, home, false);
}

Value Machine::callMethod(const Value& object, const std::string& name, std::vector<Value> args) {
  Object* o = toObject(object);
  if (!o) return Value();
  return call(getMember(o, name), object, std::move(args));
}

Value Machine::construct(const Value& fn, std::vector<Value> args) {
  Object* o = fn.object();
  Function* f = o ? o->asFunction() : nullptr;
  if (!f) return Value();
  Object* prototype = getMember(f, "prototype").object();
  Object* instance = f->allocator ? f->allocator(*this, prototype ? prototype : objectProto_)
                                  : heap_.make<Object>(prototype ? prototype : objectProto_);
  instance->put("__constructor__", f, kDontEnum);
  if (version_ < 6) instance->put("constructor", f, kDontEnum);
  Value r = callFunction(f, instance, args, prototype, true);
  if (f->native() && r.isObject()) return r;
  return instance;
}

Value Machine::callFunction(Function* fn, const Value& self, std::vector<Value>& args, Object* home,
                            bool constructing) {
  if (callDepth_ >= budgets_.maxCallDepth) throw ScriptAbort("the script recursed too deeply");
  DepthGuard guard(callDepth_);
  if (fn->native()) {
    CallArgs call{self, std::move(args), constructing};
    return fn->native()(*this, call);
  }
  const FunctionCode& code = *fn->code();
  Activation act;
  act.code = code.body;
  act.version = code.version;
  act.scopes = fn->scopes();
  act.locals = heap_.make<Object>(nullptr);
  act.scopes.push_back(act.locals);
  act.self = self;
  act.baseClip = fn->baseClip();
  act.target = fn->baseClip();
  act.constants = fn->constants();
  act.callee = fn;
  act.home = home;
  act.registers.resize(code.hasRegisters ? std::max<size_t>(code.registerCount, 1) : 4);
  Object* arguments = newArray(args);
  arguments->put("callee", fn, kDontEnum);
  act.arguments = arguments;
  uint16_t flags = code.hasRegisters ? code.flags : 0;
  if (!(flags & 8)) act.locals->put("arguments", arguments, kDontEnum);
  if (code.hasRegisters) {
    size_t reg = 1;
    auto preload = [&](uint16_t bit, auto value) {
      if ((flags & bit) && reg < act.registers.size()) act.registers[reg++] = value();
    };
    preload(1, [&] { return self.isUndefined() ? Value(act.target) : self; });
    preload(4, [&] { return Value(arguments); });
    preload(16, [&] { return Value(makeSuper(*this, act)); });
    preload(64, [&] { return Value(resolveTarget(act.baseClip, "_root")); });
    preload(128, [&] { return act.baseClip ? getMember(act.baseClip, "_parent") : Value(); });
    preload(256, [&] { return Value(global_); });
  }
  for (size_t i = 0; i < code.params.size(); ++i) {
    Value v = i < args.size() ? args[i] : Value();
    const Param& p = code.params[i];
    if (p.reg && p.reg < act.registers.size()) act.registers[p.reg] = v;
    else act.locals->put(p.name, v);
  }
  return Interpreter::execute(*this, act);
}

// ---- making objects ----

Object* Machine::newObject() { return heap_.make<Object>(objectProto_); }

Object* Machine::newArray(std::vector<Value> items) {
  auto* a = heap_.make<ArrayObject>(arrayProto_);
  a->assign(std::move(items));
  return a;
}

Function* Machine::newNative(NativeFn fn, const std::string& name) {
  Function* f = heap_.make<Function>(functionProto_, std::move(fn), name);
  return f;
}

Function* Machine::method(Object* target, const std::string& name, NativeFn fn) {
  Function* f = newNative(std::move(fn), name);
  target->put(name, f, kDontEnum);
  return f;
}

Function* Machine::makeClass(const std::string& name, NativeFn constructor, Object* parentPrototype) {
  Function* f = newNative(std::move(constructor), name);
  Object* prototype = heap_.make<Object>(parentPrototype ? parentPrototype : objectProto_);
  prototype->put("constructor", f, kDontEnum);
  f->put("prototype", prototype, kDontEnum | kDontDelete);
  if (!name.empty()) global_->put(name, f, kDontEnum);
  return f;
}

Object* Machine::prototypeOf(const std::string& className) {
  const Property* p = global_->findOwn(className);
  Object* ctor = p ? p->value.object() : nullptr;
  Object* prototype = ctor ? getMember(ctor, "prototype").object() : nullptr;
  return prototype ? prototype : objectProto_;
}

// ---- clips ----

Object* Machine::clipObject(DisplayNode* node) {
  if (!node) return nullptr;
  if (node->scriptObject) return node->scriptObject;
  ClipObject* made = node->isClip() ? nullptr : host_.newNodeObject(node);
  node->scriptObject = made ? made : heap_.make<ClipObject>(prototypeOf("MovieClip"), node);
  return node->scriptObject;
}

DisplayNode* Machine::nodeOf(const Value& v) {
  auto* clip = dynamic_cast<ClipObject*>(v.object());
  return clip ? clip->node() : nullptr;
}

std::string Machine::targetPath(DisplayNode* node, bool slashes) {
  if (!node) return "";
  std::vector<std::string> names;
  DisplayNode* n = node;
  int guard = 0;
  while (n->parentNode() && guard++ < 1000) {
    names.push_back(n->instanceName());
    n = n->parentNode();
  }
  int level = host_.levelNumber(n);
  std::string out;
  if (slashes) {
    if (names.empty()) return level ? "_level" + std::to_string(level) + "/" : "/";
    if (level) out = "_level" + std::to_string(level);
    for (auto it = names.rbegin(); it != names.rend(); ++it) out += "/" + *it;
    return out;
  }
  out = "_level" + std::to_string(level);
  for (auto it = names.rbegin(); it != names.rend(); ++it) out += "." + *it;
  return out;
}

Object* Machine::resolveTarget(Object* from, const std::string& given) {
  DisplayNode* node = nodeOf(from);
  Object* current = from;
  if (given.empty()) return from;
  size_t pos = 0;
  bool slashes = given.find('/') != std::string::npos;
  char separator = slashes ? '/' : '.';
  // "_level0:clip" names the clip as "_level0.clip" does.
  std::string path = given;
  std::replace(path.begin(), path.end(), ':', separator);
  auto rootOf = [](DisplayNode* n) {
    int guard = 0;
    while (n && n->parentNode() && guard++ < 1000) n = n->parentNode();
    return n;
  };
  if (path[0] == '/') {
    current = clipObject(rootOf(node ? node : host_.level(0)));
    pos = 1;
  }
  while (pos < path.size() && current) {
    size_t next = path.find(separator, pos);
    if (slashes && path.compare(pos, 2, "..") == 0 && (pos + 2 == path.size() || path[pos + 2] == '/'))
      next = pos + 2;
    std::string part = path.substr(pos, next == std::string::npos ? std::string::npos : next - pos);
    pos = next == std::string::npos ? path.size() : next + 1;
    if (part.empty() || part == "this") continue;
    DisplayNode* n = nodeOf(current);
    std::string lower = part;
    for (char& c : lower)
      if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (part == ".." || lower == "_parent") {
      current = n && n->parentNode() ? clipObject(n->parentNode()) : nullptr;
    } else if (lower == "_root") {
      current = clipObject(rootOf(n ? n : host_.level(0)));
    } else if (lower.rfind("_level", 0) == 0 && lower.size() > 6 &&
               lower.find_first_not_of("0123456789", 6) == std::string::npos) {
      current = clipObject(host_.level(std::atoi(lower.c_str() + 6)));
    } else {
      current = getMember(current, part).object();
    }
  }
  return current;
}

// ---- timers ----

void Machine::runTimers() {
  double now = host_.milliseconds();
  std::vector<int> due;
  for (const Timer& t : timers_)
    if (t.due <= now) due.push_back(t.id);
  for (int id : due) {
    auto it = std::find_if(timers_.begin(), timers_.end(), [id](const Timer& t) { return t.id == id; });
    if (it == timers_.end()) continue;
    Timer timer = *it;
    if (timer.repeat) it->due = now + std::max(timer.interval, 10.0);
    else timers_.erase(it);
    Value fn = timer.methodName.empty() ? timer.fn : get(timer.self, timer.methodName);
    Object* function = fn.object();
    if (!function || !function->asFunction()) continue;
    callSafely(fn, timer.self, timer.args);
  }
}

void Machine::callSafely(const Value& fn, const Value& self, std::vector<Value> args) {
  Activation* outer = current_;
  try {
    call(fn, self, std::move(args));
  } catch (ScriptThrow& thrown) {
    errors_.push_back("uncaught: " + toString(thrown.value));
  } catch (ScriptAbort& abort) {
    errors_.push_back(abort.what());
  }
  current_ = outer;
}

Value Machine::memberOrUndefined(Object* object, const std::string& name) {
  if (!object) return Value();
  Activation* outer = current_;
  Value out;
  try {
    out = getMember(object, name);
  } catch (ScriptThrow&) {
  } catch (ScriptAbort&) {
  }
  current_ = outer;
  return out;
}

bool Machine::callHandler(const Value& self, const std::string& name, std::vector<Value> args) {
  Value fn = memberOrUndefined(self.object(), name);
  Object* function = fn.object();
  if (!function || !function->asFunction()) return false;
  callSafely(fn, self, std::move(args));
  return true;
}

}  // namespace movie::script
