#include "movie/script/interpreter.h"

#include <cmath>
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
  void pushValues(const ActionRecord& r);
  void arithmetic(uint8_t code);
  void stringOps(uint8_t code);
  void objectOps(uint8_t code);
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

void Run::arithmetic(uint8_t code) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  switch (code) {
    case 0x0A: {  // Add (numbers only)
      double b = popNumber(), a = popNumber();
      push(a + b);
      break;
    }
    case 0x0B: {
      double b = popNumber(), a = popNumber();
      push(a - b);
      break;
    }
    case 0x0C: {
      double b = popNumber(), a = popNumber();
      push(a * b);
      break;
    }
    case 0x0D: {  // Divide: version 4 writes "#ERROR#" for a division by zero
      double b = popNumber(), a = popNumber();
      if (b == 0 && act.version < 5) push("#ERROR#");
      else push(a / b);
      break;
    }
    case 0x3F: {  // Modulo
      double b = popNumber(), a = popNumber();
      push(b == 0 ? nan : std::fmod(a, b));
      break;
    }
    case 0x0E: {  // Equals (numbers)
      double b = popNumber(), a = popNumber();
      if (act.version < 5) push(a == b ? 1.0 : 0.0);
      else push(a == b);
      break;
    }
    case 0x0F: {  // Less (numbers)
      double b = popNumber(), a = popNumber();
      if (act.version < 5) push(a < b ? 1.0 : 0.0);
      else push(a < b);
      break;
    }
    case 0x10:
    case 0x11: {  // And, Or
      bool b = m.toBoolean(pop()), a = m.toBoolean(pop());
      bool r = code == 0x10 ? (a && b) : (a || b);
      if (act.version < 5) push(r ? 1.0 : 0.0);
      else push(r);
      break;
    }
    case 0x12: {  // Not
      bool a = m.toBoolean(pop());
      if (act.version < 5) push(a ? 0.0 : 1.0);
      else push(!a);
      break;
    }
    case 0x47: {  // Add2
      Value b = pop(), a = pop();
      push(m.add(a, b));
      break;
    }
    case 0x48: {  // Less2
      Value b = pop(), a = pop();
      push(m.lessThan(a, b));
      break;
    }
    case 0x67: {  // Greater
      Value b = pop(), a = pop();
      push(m.lessThan(b, a));
      break;
    }
    case 0x49: {  // Equals2
      Value b = pop(), a = pop();
      push(m.looseEquals(a, b));
      break;
    }
    case 0x66: {  // StrictEquals
      Value b = pop(), a = pop();
      push(m.strictEquals(a, b));
      break;
    }
    case 0x50: push(popNumber() + 1); break;
    case 0x51: push(popNumber() - 1); break;
    case 0x60: case 0x61: case 0x62: {
      int32_t b = toInt32(popNumber()), a = toInt32(popNumber());
      push(double(code == 0x60 ? (a & b) : code == 0x61 ? (a | b) : (a ^ b)));
      break;
    }
    case 0x63: case 0x64: case 0x65: {
      uint32_t shift = toUint32(popNumber()) & 31;
      double a = popNumber();
      if (code == 0x63) push(double(int32_t(toUint32(a) << shift)));
      else if (code == 0x64) push(double(toInt32(a) >> shift));
      else push(double(toUint32(a) >> shift));
      break;
    }
  }
}

// ToInteger of version 4: NaN becomes 0, infinities stay.
double integerOf(double v) { return std::isfinite(v) ? std::trunc(v) : (std::isnan(v) ? 0 : v); }

void Run::stringOps(uint8_t code) {
  switch (code) {
    case 0x13: {  // StringEquals
      std::string b = popString(), a = popString();
      if (act.version < 5) push(a == b ? 1.0 : 0.0);
      else push(a == b);
      break;
    }
    case 0x29: case 0x68: {  // StringLess, StringGreater
      std::string b = popString(), a = popString();
      bool r = code == 0x29 ? a < b : a > b;
      if (act.version < 5) push(r ? 1.0 : 0.0);
      else push(r);
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

bool Run::step(const ActionRecord& r, size_t end, Flow& flow) {
  (void)end;
  uint8_t code = r.code;
  switch (code) {
    // Version 3: timeline.
    case 0x04: case 0x05: case 0x06: case 0x07: case 0x08: case 0x09:
    case 0x81: case 0x8C: case 0x8B: case 0x20: case 0x9F:
    case 0x24: case 0x25: case 0x27: case 0x28: case 0x22: case 0x23: case 0x45:
      timelineAction(m, act, r);
      return false;
    case 0x83: {  // GetURL
      PayloadReader p(r.payload, r.length);
      std::string url = p.string(), target = p.string();
      getUrl2(m, act, url, target, 0);
      return false;
    }
    case 0x9A: {  // GetURL2
      PayloadReader p(r.payload, r.length);
      uint8_t flags = p.u8();
      std::string target = popString(), url = popString();
      getUrl2(m, act, url, target, flags);
      return false;
    }
    case 0x8A: case 0x8D: {  // WaitForFrame, WaitForFrame2: skip actions when not loaded
      PayloadReader p(r.payload, r.length);
      int frame;
      if (code == 0x8A) frame = p.u16();
      else frame = -1;
      int skip = p.u8();
      Value frameValue = code == 0x8D ? pop() : Value(double(frame));
      if (!frameLoaded(m, act, frameValue, code == 0x8A)) {
        size_t pc = r.next;
        ActionRecord skipped;
        for (int i = 0; i < skip && readAction(bytes(), end, pc, skipped); ++i) pc = skipped.next;
        flow.kind = Flow::Branch;
        flow.target = pc;
        return true;
      }
      return false;
    }
    // Version 4: the stack machine.
    case 0x96: pushValues(r); return false;
    case 0x17: pop(); return false;
    case 0x0A: case 0x0B: case 0x0C: case 0x0D: case 0x0E: case 0x0F: case 0x10: case 0x11:
    case 0x12: case 0x3F: case 0x47: case 0x48: case 0x49: case 0x66: case 0x67:
    case 0x50: case 0x51: case 0x60: case 0x61: case 0x62: case 0x63: case 0x64: case 0x65:
      arithmetic(code);
      return false;
    case 0x18: push(integerOf(popNumber())); return false;
    case 0x13: case 0x14: case 0x15: case 0x21: case 0x29: case 0x31: case 0x32: case 0x33:
    case 0x35: case 0x36: case 0x37: case 0x68:
      stringOps(code);
      return false;
    case 0x99: {  // Jump
      PayloadReader p(r.payload, r.length);
      flow = branchTo(r, int16_t(p.u16()));
      return true;
    }
    case 0x9D: {  // If
      PayloadReader p(r.payload, r.length);
      int16_t offset = int16_t(p.u16());
      if (m.toBoolean(pop())) {
        flow = branchTo(r, offset);
        return true;
      }
      return false;
    }
    case 0x9E: {  // Call: runs a frame's actions
      callFrame(m, act, pop());
      return false;
    }
    case 0x1C: {  // GetVariable
      std::string name = popString();
      push(getVariable(m, act, name));
      return false;
    }
    case 0x1D: {  // SetVariable
      Value v = pop();
      std::string name = popString();
      setVariable(m, act, name, v);
      return false;
    }
    case 0x26: m.host().trace(m.toString(pop())); return false;  // Trace
    case 0x34: push(std::floor(m.host().milliseconds())); return false;  // GetTime
    case 0x30: {  // RandomNumber
      double max = integerOf(popNumber());
      push(max > 0 ? std::floor(randomUnit() * max) : 0.0);
      return false;
    }
    // Version 5 on: objects.
    case 0x88: {  // ConstantPool
      PayloadReader p(r.payload, r.length);
      size_t count = std::min<size_t>(p.u16(), kMaxConstants);
      act.constants.clear();
      for (size_t i = 0; i < count && !p.atEnd(); ++i) act.constants.push_back(p.string());
      return false;
    }
    case 0x9B:
    case 0x8E:
      flow.kind = Flow::Branch;
      flow.target = defineFunction(r, code == 0x8E);
      return true;
    case 0x87: {  // StoreRegister
      PayloadReader p(r.payload, r.length);
      uint8_t reg = p.u8();
      if (reg < act.registers.size() && !act.stack.empty()) act.registers[reg] = act.stack.back();
      return false;
    }
    case 0x4C: {  // PushDuplicate
      Value v = act.stack.empty() ? Value() : act.stack.back();
      push(v);
      return false;
    }
    case 0x4D: {  // StackSwap
      Value a = pop(), b = pop();
      push(a);
      push(b);
      return false;
    }
    case 0x3E: {  // Return
      returned = pop();
      flow.kind = Flow::Return;
      return true;
    }
    case 0x2A: throw ScriptThrow{pop()};  // Throw
    default:
      objectOps(code);
      return false;
  }
}

void Run::objectOps(uint8_t code) {
  switch (code) {
    case 0x3C: {  // DefineLocal
      Value v = pop();
      std::string name = popString();
      setVariableLocal(m, act, name, v, true);
      break;
    }
    case 0x41: {  // DefineLocal2: declare without a value
      std::string name = popString();
      declareLocal(m, act, name);
      break;
    }
    case 0x3A: {  // Delete: object, name
      std::string name = popString();
      Value object = pop();
      push(deleteMember(m, object, name));
      break;
    }
    case 0x3B: {  // Delete2: a variable by name
      std::string name = popString();
      push(deleteVariable(m, act, name));
      break;
    }
    case 0x46: case 0x55: {  // Enumerate, Enumerate2
      Value v = pop();
      Object* object = code == 0x46 ? m.toObject(getVariable(m, act, m.toString(v))) : v.object();
      push(Value::null());
      if (!object) break;
      std::vector<std::string> names = m.enumerate(object);
      for (auto it = names.rbegin(); it != names.rend(); ++it) push(*it);
      break;
    }
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
    case 0x42: {  // InitArray
      std::vector<Value> items = popArgs();
      push(m.newArray(std::move(items)));
      break;
    }
    case 0x43: {  // InitObject
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
      break;
    }
    case 0x3D: {  // CallFunction
      std::string name = popString();
      std::vector<Value> args = popArgs();
      push(callNamedFunction(m, act, name, std::move(args)));
      break;
    }
    case 0x52: {  // CallMethod
      Value name = pop();
      Value object = pop();
      std::vector<Value> args = popArgs();
      push(callMethodOf(m, act, object, name, std::move(args)));
      break;
    }
    case 0x40: {  // NewObject
      std::string name = popString();
      std::vector<Value> args = popArgs();
      push(m.construct(getVariable(m, act, name), std::move(args)));
      break;
    }
    case 0x53: {  // NewMethod
      Value name = pop();
      Value object = pop();
      std::vector<Value> args = popArgs();
      Value fn = name.isUndefined() || (name.isString() && name.string().empty())
                     ? object
                     : m.get(object, m.toString(name));
      push(m.construct(fn, std::move(args)));
      break;
    }
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
    default:
      break;  // unknown actions are skipped
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
