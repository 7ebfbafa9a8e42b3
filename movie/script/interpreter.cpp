#include "movie/script/interpreter.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>

#include "movie/script/action_reader.h"
#include "movie/script/clip_object.h"
#include "movie/script/errors.h"
#include "movie/script/scope_ops.h"
#include "movie/script/text_util.h"
#include "movie/script/timeline_ops.h"

namespace movie::script {
namespace {

constexpr int kMaxBlockDepth = 64;
constexpr size_t kMaxConstants = 65535;

// How a stretch of code ended.
struct Flow {
  enum Kind { Done, Return, Branch } kind = Done;
  size_t target = 0;  // for Branch: where to go on
};

struct Run {
  Machine& m;
  Activation& act;
  Value returned;

  const uint8_t* bytes() const { return act.code.bytes->data(); }

  Value pop() {
    if (act.stack.empty()) return Value();
    Value v = std::move(act.stack.back());
    act.stack.pop_back();
    return v;
  }
  void push(Value v) {
    if (act.stack.size() >= m.budgets().maxStack) throw ScriptAbort("the script's stack grew too large");
    act.stack.push_back(std::move(v));
  }
  double popNumber() { return m.toNumber(pop()); }
  std::string popString() { return m.toString(pop()); }

  // Arguments in call order from the stack: a count then that many values.
  std::vector<Value> popArgs() {
    double n = popNumber();
    size_t count = n > 0 && std::isfinite(n) ? size_t(std::min<double>(n, double(act.stack.size()))) : 0;
    std::vector<Value> args;
    args.reserve(count);
    for (size_t i = 0; i < count; ++i) args.push_back(pop());
    return args;
  }

  Flow range(size_t begin, size_t end);
  bool step(const ActionRecord& r, size_t end, Flow& flow);
  bool frameOps(const ActionRecord& r, size_t end, Flow& flow);
  bool controlFlow(const ActionRecord& r, Flow& flow);
  void stackOps(const ActionRecord& r);
  void pushValues(const ActionRecord& r);
  void readConstantPool(const ActionRecord& r);
  void pushTruth(bool v);
  void numberOps(uint8_t code);
  void logicOps(uint8_t code);
  void valueOps(uint8_t code);
  void bitOps(uint8_t code);
  void stringOps(uint8_t code);
  void hostOps(uint8_t code);
  void variableOps(uint8_t code);
  void memberOps(uint8_t code);
  void enumerate(bool byName);
  void initObject();
  void callOps(uint8_t code);
  void typeOps(uint8_t code);
  size_t defineFunction(const ActionRecord& r, bool second);
  Flow withBlock(const ActionRecord& r, size_t end);
  Flow tryBlock(const ActionRecord& r, size_t end);
};

Flow Run::range(size_t begin, size_t end) {
  size_t pc = begin;
  ActionRecord r;
  while (pc < end) {
    if (!readAction(bytes(), end, pc, r)) break;
    m.countInstruction();
    Flow flow;
    if (r.code == 0) break;  // End
    if (r.code == 0x94) {  // With
      flow = withBlock(r, end);
    } else if (r.code == 0x8F) {  // Try
      flow = tryBlock(r, end);
    } else if (!step(r, end, flow)) {
      pc = r.next;
      continue;
    }
    if (flow.kind == Flow::Return) return flow;
    if (flow.kind == Flow::Branch) {
      if (flow.target < begin || flow.target >= end) {
        if (flow.target == end) return Flow{};
        return flow;  // the enclosing range decides
      }
      pc = flow.target;
      continue;
    }
    pc = flow.target;
  }
  return Flow{};
}

// Jump offsets are from the end of the record; a jump to an offset outside the code
// ends it.
Flow branchTo(const ActionRecord& r, int16_t offset) {
  Flow f;
  f.kind = Flow::Branch;
  long long target = (long long)r.next + offset;
  f.target = target < 0 ? std::numeric_limits<size_t>::max() : size_t(target);
  return f;
}

Flow Run::withBlock(const ActionRecord& r, size_t end) {
  PayloadReader p(r.payload, r.length);
  size_t size = p.u16();
  Object* scope = m.toObject(pop());
  size_t blockEnd = std::min(end, r.next + size);
  if (!scope || act.blockDepth >= kMaxBlockDepth) return Flow{Flow::Branch, blockEnd};
  act.scopes.push_back(scope);
  ++act.blockDepth;
  size_t scopeCount = act.scopes.size();
  Flow flow;
  try {
    flow = range(r.next, blockEnd);
  } catch (...) {
    act.scopes.resize(scopeCount - 1);
    --act.blockDepth;
    throw;
  }
  act.scopes.resize(scopeCount - 1);
  --act.blockDepth;
  if (flow.kind == Flow::Done) return Flow{Flow::Branch, blockEnd};
  return flow;
}

Flow Run::tryBlock(const ActionRecord& r, size_t end) {
  PayloadReader p(r.payload, r.length);
  uint8_t flags = p.u8();
  size_t trySize = p.u16(), catchSize = p.u16(), finallySize = p.u16();
  bool catchInRegister = flags & 4;
  std::string catchName;
  uint8_t catchRegister = 0;
  if (catchInRegister) catchRegister = p.u8();
  else catchName = p.string();
  size_t tryEnd = std::min(end, r.next + trySize);
  size_t catchEnd = std::min(end, tryEnd + catchSize);
  size_t finallyEnd = std::min(end, catchEnd + finallySize);
  if (act.blockDepth >= kMaxBlockDepth) return Flow{Flow::Branch, finallyEnd};
  ++act.blockDepth;
  struct Depth {
    int& d;
    ~Depth() { --d; }
  } depthGuard{act.blockDepth};
  size_t stackSize = act.stack.size();
  Flow flow;
  bool pending = false;
  Value pendingValue;
  try {
    flow = range(r.next, tryEnd);
  } catch (ScriptThrow& thrown) {
    act.stack.resize(std::min(stackSize, act.stack.size()));
    if (flags & 1) {  // has a catch block
      if (catchInRegister) {
        if (catchRegister < act.registers.size()) act.registers[catchRegister] = thrown.value;
      } else {
        setVariable(m, act, catchName, thrown.value);
      }
      try {
        flow = range(tryEnd, catchEnd);
      } catch (ScriptThrow& again) {
        pending = true;
        pendingValue = again.value;
      }
    } else {
      pending = true;
      pendingValue = thrown.value;
    }
  }
  if (flags & 2) {  // finally runs whatever happened
    Flow finallyFlow = range(catchEnd, finallyEnd);
    if (finallyFlow.kind != Flow::Done) return finallyFlow;
  }
  if (pending) throw ScriptThrow{pendingValue};
  if (flow.kind == Flow::Done) return Flow{Flow::Branch, finallyEnd};
  return flow;
}

void Run::pushValues(const ActionRecord& r) {
  PayloadReader p(r.payload, r.length);
  while (!p.atEnd()) {
    uint8_t type = p.u8();
    switch (type) {
      case 0: push(p.string()); break;
      case 1: push(p.f32()); break;
      case 2: push(Value::null()); break;
      case 3: push(Value()); break;
      case 4: {
        uint8_t reg = p.u8();
        push(reg < act.registers.size() ? act.registers[reg] : Value());
        break;
      }
      case 5: push(p.u8() != 0); break;
      case 6: push(p.f64()); break;
      case 7: push(double(int32_t(p.u32()))); break;
      case 8:
      case 9: {
        size_t index = type == 8 ? p.u8() : p.u16();
        push(index < act.constants.size() ? Value(act.constants[index]) : Value());
        break;
      }
      default: return;  // unknown type: the rest cannot be read
    }
    if (p.failed()) {
      pop();
      return;
    }
  }
}

// Which handler runs an action code; a table, so one lookup and one switch per action.
enum class OpKind : uint8_t { Unknown, Timeline, Frames, Stack, Numbers, Logic, Values, Bits, Strings,
                              Control, Host, Variables, Members, Calls, Types };

constexpr std::array<OpKind, 256> makeOpKinds() {
  std::array<OpKind, 256> kinds{};
  auto set = [&kinds](OpKind kind, std::initializer_list<uint8_t> codes) {
    for (uint8_t c : codes) kinds[c] = kind;
  };
  set(OpKind::Timeline, {0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x81, 0x8C, 0x8B, 0x20, 0x9F,
                         0x24, 0x25, 0x27, 0x28, 0x22, 0x23, 0x45});
  set(OpKind::Frames, {0x83, 0x9A, 0x8A, 0x8D, 0x9E});
  set(OpKind::Stack, {0x96, 0x17, 0x87, 0x4C, 0x4D, 0x88});
  set(OpKind::Numbers, {0x0A, 0x0B, 0x0C, 0x0D, 0x3F, 0x50, 0x51, 0x18});
  set(OpKind::Logic, {0x0E, 0x0F, 0x10, 0x11, 0x12});
  set(OpKind::Values, {0x47, 0x48, 0x67, 0x49, 0x66});
  set(OpKind::Bits, {0x60, 0x61, 0x62, 0x63, 0x64, 0x65});
  set(OpKind::Strings, {0x13, 0x14, 0x15, 0x21, 0x29, 0x31, 0x32, 0x33, 0x35, 0x36, 0x37, 0x68});
  set(OpKind::Control, {0x99, 0x9D, 0x9B, 0x8E, 0x3E, 0x2A});
  set(OpKind::Host, {0x26, 0x34, 0x30});
  set(OpKind::Variables, {0x1C, 0x1D, 0x3C, 0x41, 0x3A, 0x3B});
  set(OpKind::Members, {0x4E, 0x4F, 0x46, 0x55, 0x42, 0x43});
  set(OpKind::Calls, {0x3D, 0x52, 0x40, 0x53});
  set(OpKind::Types, {0x44, 0x4A, 0x4B, 0x54, 0x2B, 0x69, 0x2C});
  return kinds;
}

constexpr std::array<OpKind, 256> kOpKinds = makeOpKinds();

// Returns true when the action changed the flow (flow then says how).
bool Run::step(const ActionRecord& r, size_t end, Flow& flow) {
  switch (kOpKinds[r.code]) {
    case OpKind::Timeline: timelineAction(m, act, r); return false;
    case OpKind::Frames: return frameOps(r, end, flow);
    case OpKind::Stack: stackOps(r); return false;
    case OpKind::Numbers: numberOps(r.code); return false;
    case OpKind::Logic: logicOps(r.code); return false;
    case OpKind::Values: valueOps(r.code); return false;
    case OpKind::Bits: bitOps(r.code); return false;
    case OpKind::Strings: stringOps(r.code); return false;
    case OpKind::Control: return controlFlow(r, flow);
    case OpKind::Host: hostOps(r.code); return false;
    case OpKind::Variables: variableOps(r.code); return false;
    case OpKind::Members: memberOps(r.code); return false;
    case OpKind::Calls: callOps(r.code); return false;
    case OpKind::Types: typeOps(r.code); return false;
    case OpKind::Unknown: return false;  // unknown actions are skipped
  }
  return false;
}

// Version 3 actions about frames and loading; WaitForFrame skips actions when not loaded.
bool Run::frameOps(const ActionRecord& r, size_t end, Flow& flow) {
  PayloadReader p(r.payload, r.length);
  switch (r.code) {
    case 0x83: {  // GetURL
      std::string url = p.string(), target = p.string();
      getUrl2(m, act, url, target, 0);
      return false;
    }
    case 0x9A: {  // GetURL2
      uint8_t flags = p.u8();
      std::string target = popString(), url = popString();
      getUrl2(m, act, url, target, flags);
      return false;
    }
    case 0x8A: case 0x8D: {  // WaitForFrame, WaitForFrame2
      int frame = r.code == 0x8A ? p.u16() : -1;
      int skip = p.u8();
      Value frameValue = r.code == 0x8D ? pop() : Value(double(frame));
      if (frameLoaded(m, act, frameValue, r.code == 0x8A)) return false;
      size_t pc = r.next;
      ActionRecord skipped;
      for (int i = 0; i < skip && readAction(bytes(), end, pc, skipped); ++i) pc = skipped.next;
      flow = Flow{Flow::Branch, pc};
      return true;
    }
    case 0x9E: callFrame(m, act, pop()); return false;  // Call: runs a frame's actions
  }
  return false;
}

void Run::stackOps(const ActionRecord& r) {
  switch (r.code) {
    case 0x96: pushValues(r); break;
    case 0x17: pop(); break;
    case 0x87: {  // StoreRegister
      PayloadReader p(r.payload, r.length);
      uint8_t reg = p.u8();
      if (reg < act.registers.size() && !act.stack.empty()) act.registers[reg] = act.stack.back();
      break;
    }
    case 0x4C: push(act.stack.empty() ? Value() : act.stack.back()); break;  // PushDuplicate
    case 0x4D: {  // StackSwap
      Value a = pop(), b = pop();
      push(a);
      push(b);
      break;
    }
    case 0x88: readConstantPool(r); break;
  }
}

void Run::readConstantPool(const ActionRecord& r) {
  PayloadReader p(r.payload, r.length);
  size_t count = std::min<size_t>(p.u16(), kMaxConstants);
  act.constants.clear();
  for (size_t i = 0; i < count && !p.atEnd(); ++i) act.constants.push_back(p.string());
}

// ToInteger of version 4: NaN becomes 0, infinities stay.
double integerOf(double v) { return std::isfinite(v) ? std::trunc(v) : (std::isnan(v) ? 0 : v); }

void Run::numberOps(uint8_t code) {
  if (code == 0x50 || code == 0x51 || code == 0x18) {  // Increment, Decrement, ToInteger
    double a = popNumber();
    push(code == 0x50 ? a + 1 : code == 0x51 ? a - 1 : integerOf(a));
    return;
  }
  double b = popNumber(), a = popNumber();
  switch (code) {
    case 0x0A: push(a + b); break;  // Add (numbers only)
    case 0x0B: push(a - b); break;
    case 0x0C: push(a * b); break;
    case 0x0D:  // Divide: version 4 writes "#ERROR#" for a division by zero
      if (b == 0 && act.version < 5) push("#ERROR#");
      else push(a / b);
      break;
    case 0x3F: push(b == 0 ? std::numeric_limits<double>::quiet_NaN() : std::fmod(a, b)); break;
  }
}

// Version 4 comparisons and logic; before version 5 a truth is the number 1 or 0.
void Run::pushTruth(bool v) {
  if (act.version < 5) push(v ? 1.0 : 0.0);
  else push(v);
}

void Run::logicOps(uint8_t code) {
  if (code == 0x12) {  // Not
    pushTruth(!m.toBoolean(pop()));
  } else if (code == 0x10 || code == 0x11) {  // And, Or
    bool b = m.toBoolean(pop()), a = m.toBoolean(pop());
    pushTruth(code == 0x10 ? (a && b) : (a || b));
  } else {  // Equals, Less (numbers)
    double b = popNumber(), a = popNumber();
    pushTruth(code == 0x0E ? a == b : a < b);
  }
}

// Version 5 operators on typed values.
void Run::valueOps(uint8_t code) {
  Value b = pop(), a = pop();
  switch (code) {
    case 0x47: push(m.add(a, b)); break;           // Add2
    case 0x48: push(m.lessThan(a, b)); break;      // Less2
    case 0x67: push(m.lessThan(b, a)); break;      // Greater
    case 0x49: push(m.looseEquals(a, b)); break;   // Equals2
    case 0x66: push(m.strictEquals(a, b)); break;  // StrictEquals
  }
}

void Run::bitOps(uint8_t code) {
  if (code <= 0x62) {  // BitAnd, BitOr, BitXor
    int32_t b = toInt32(popNumber()), a = toInt32(popNumber());
    push(double(code == 0x60 ? (a & b) : code == 0x61 ? (a | b) : (a ^ b)));
    return;
  }
  uint32_t shift = toUint32(popNumber()) & 31;
  double a = popNumber();
  if (code == 0x63) push(double(int32_t(toUint32(a) << shift)));
  else if (code == 0x64) push(double(toInt32(a) >> shift));
  else push(double(toUint32(a) >> shift));
}

void Run::stringOps(uint8_t code) {
  switch (code) {
    case 0x13: {  // StringEquals
      std::string b = popString(), a = popString();
      pushTruth(a == b);
      break;
    }
    case 0x29: case 0x68: {  // StringLess, StringGreater
      std::string b = popString(), a = popString();
      pushTruth(code == 0x29 ? a < b : a > b);
      break;
    }
    case 0x14: push(double(stringLength(popString(), act.version >= 6))); break;
    case 0x31: push(double(stringLength(popString(), true))); break;
    case 0x21: {  // StringAdd
      std::string b = popString(), a = popString();
      std::string s = a + b;
      m.checkString(s);
      push(std::move(s));
      break;
    }
    case 0x15: case 0x35: {  // StringExtract, MBStringExtract: string, index (1-based), count
      double count = popNumber(), index = popNumber();
      std::string s = popString();
      push(substringOf(s, index, count, code == 0x35 || act.version >= 6));
      break;
    }
    case 0x32: case 0x36: {  // CharToAscii
      std::string s = popString();
      push(double(s.empty() ? 0 : firstCodePoint(s, code == 0x36 || act.version >= 6)));
      break;
    }
    case 0x33: case 0x37: {  // AsciiToChar
      uint32_t c = toUint32(popNumber());
      push(code == 0x37 || act.version >= 6 ? encodeCodePoint(c & 0xFFFF) : std::string(1, char(c & 0xFF)));
      break;
    }
  }
}

// Returns where the code after the function's body starts.
size_t Run::defineFunction(const ActionRecord& r, bool second) {
  PayloadReader p(r.payload, r.length);
  auto code = std::make_shared<FunctionCode>();
  code->name = p.string();
  size_t count = p.u16();
  code->version = act.version;
  if (second) {
    code->hasRegisters = true;
    code->registerCount = p.u8();
    code->flags = p.u16();
  }
  for (size_t i = 0; i < count && !p.failed(); ++i) {
    Param param;
    if (second) param.reg = p.u8();
    param.name = p.string();
    code->params.push_back(std::move(param));
  }
  size_t size = p.u16();
  code->body.bytes = act.code.bytes;
  code->body.version = act.version;
  code->body.begin = r.next;
  code->body.end = std::min(r.next + size, act.code.end);
  std::vector<Object*> scopes = act.scopes;
  Function* fn = makeScriptFunction(m, std::move(code), std::move(scopes), act.constants, act.baseClip);
  if (fn->name().empty()) push(fn);
  else setVariableLocal(m, act, fn->name(), fn, /*defineOnly=*/true);
  return fn->code()->body.end;
}

bool Run::controlFlow(const ActionRecord& r, Flow& flow) {
  PayloadReader p(r.payload, r.length);
  switch (r.code) {
    case 0x99: flow = branchTo(r, int16_t(p.u16())); return true;  // Jump
    case 0x9D: {  // If
      int16_t offset = int16_t(p.u16());
      if (!m.toBoolean(pop())) return false;
      flow = branchTo(r, offset);
      return true;
    }
    case 0x9B: case 0x8E:  // DefineFunction, DefineFunction2: go on after the body
      flow = Flow{Flow::Branch, defineFunction(r, r.code == 0x8E)};
      return true;
    case 0x3E:  // Return
      returned = pop();
      flow.kind = Flow::Return;
      return true;
    case 0x2A: throw ScriptThrow{pop()};  // Throw
  }
  return false;
}

void Run::hostOps(uint8_t code) {
  switch (code) {
    case 0x26: m.host().trace(m.toString(pop())); break;  // Trace
    case 0x34: push(std::floor(m.host().milliseconds())); break;  // GetTime
    case 0x30: {  // RandomNumber
      double max = integerOf(popNumber());
      push(max > 0 ? std::floor(randomUnit() * max) : 0.0);
      break;
    }
  }
}

void Run::variableOps(uint8_t code) {
  switch (code) {
    case 0x1C: push(getVariable(m, act, popString())); break;  // GetVariable
    case 0x1D: case 0x3C: {  // SetVariable, DefineLocal
      Value v = pop();
      std::string name = popString();
      if (code == 0x1D) setVariable(m, act, name, v);
      else setVariableLocal(m, act, name, v, true);
      break;
    }
    case 0x41: declareLocal(m, act, popString()); break;  // DefineLocal2: declare without a value
    case 0x3A: {  // Delete: object, name
      std::string name = popString();
      Value object = pop();
      push(deleteMember(m, object, name));
      break;
    }
    case 0x3B: push(deleteVariable(m, act, popString())); break;  // Delete2: a variable by name
  }
}

void Run::memberOps(uint8_t code) {
  switch (code) {
    case 0x4E: {  // GetMember
      Value name = pop();
      Value object = pop();
      push(m.get(object, m.toString(name)));
      break;
    }
    case 0x4F: {  // SetMember
      Value v = pop();
      Value name = pop();
      Value object = pop();
      if (Object* o = object.object()) m.setMember(o, m.toString(name), v);
      break;
    }
    case 0x46: case 0x55: enumerate(code == 0x46); break;  // Enumerate, Enumerate2
    case 0x42: push(m.newArray(popArgs())); break;  // InitArray
    case 0x43: initObject(); break;
  }
}

// Pushes null then the names of an object's members (Enumerate names a variable).
void Run::enumerate(bool byName) {
  Value v = pop();
  Object* object = byName ? m.toObject(getVariable(m, act, m.toString(v))) : v.object();
  push(Value::null());
  if (!object) return;
  std::vector<std::string> names = m.enumerate(object);
  for (auto it = names.rbegin(); it != names.rend(); ++it) push(*it);
}

// InitObject: a count, then that many value/name pairs; the first pair pushed is set first.
void Run::initObject() {
  double n = popNumber();
  size_t count = n > 0 && std::isfinite(n) ? size_t(std::min<double>(n, double(act.stack.size() / 2))) : 0;
  Object* o = m.newObject();
  std::vector<std::pair<std::string, Value>> pairs;
  for (size_t i = 0; i < count; ++i) {
    Value v = pop();
    std::string name = popString();
    pairs.emplace_back(std::move(name), std::move(v));
  }
  for (auto it = pairs.rbegin(); it != pairs.rend(); ++it) m.setMember(o, it->first, it->second);
  push(o);
}

void Run::callOps(uint8_t code) {
  if (code == 0x3D || code == 0x40) {  // CallFunction, NewObject: by name
    std::string name = popString();
    std::vector<Value> args = popArgs();
    if (code == 0x3D) push(callNamedFunction(m, act, name, std::move(args)));
    else push(m.construct(getVariable(m, act, name), std::move(args)));
    return;
  }
  Value name = pop();  // CallMethod, NewMethod: object and method name
  Value object = pop();
  std::vector<Value> args = popArgs();
  if (code == 0x52) {
    push(callMethodOf(m, act, object, name, std::move(args)));
    return;
  }
  Value fn = name.isUndefined() || (name.isString() && name.string().empty())
                 ? object
                 : m.get(object, m.toString(name));
  push(m.construct(fn, std::move(args)));
}

void Run::typeOps(uint8_t code) {
  switch (code) {
    case 0x44: push(m.typeOf(pop())); break;  // TypeOf
    case 0x4A: push(m.toNumber(pop())); break;  // ToNumber
    case 0x4B: push(m.toString(pop())); break;  // ToString
    case 0x54: {  // InstanceOf
      Value constructor = pop();
      Value v = pop();
      push(m.instanceOf(v, constructor.object()));
      break;
    }
    case 0x2B: {  // CastOp: constructor, object
      Value v = pop();
      Value constructor = pop();
      push(m.instanceOf(v, constructor.object()) ? v : Value::null());
      break;
    }
    case 0x69: {  // Extends: superclass, subclass
      Value superclass = pop();
      Value subclass = pop();
      extendClass(m, subclass.object(), superclass.object());
      break;
    }
    case 0x2C: {  // ImplementsOp
      Value constructor = pop();
      std::vector<Value> interfaces = popArgs();
      implementInterfaces(m, constructor.object(), interfaces);
      break;
    }
  }
}

}  // namespace

Value Interpreter::execute(Machine& m, Activation& act) {
  if (!act.code.bytes) return Value();
  Activation* outer = m.current();
  m.setCurrent(&act);
  struct Restore {
    Machine& m;
    Activation* outer;
    ~Restore() { m.setCurrent(outer); }
  } restore{m, outer};
  Run run{m, act, Value()};
  size_t end = std::min(act.code.end, act.code.bytes->size());
  Flow flow = run.range(act.code.begin, end);
  if (flow.kind == Flow::Return) return run.returned;
  return Value();
}

}  // namespace movie::script
