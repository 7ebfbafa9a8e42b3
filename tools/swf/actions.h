#pragma once
// Writes action records for test movies: a small assembler with labels for jumps, the
// push value types, functions with bodies, and the DoAction / DoInitAction tags.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "tools/swf/swf_writer.h"

namespace swf {

// A value for the Push action.
struct PushValue {
  enum Kind : uint8_t { kString = 0, kFloat = 1, kNull = 2, kUndefined = 3, kRegister = 4,
                        kBoolean = 5, kDouble = 6, kInteger = 7, kConstant8 = 8, kConstant16 = 9 };
  Kind kind = kUndefined;
  std::string text;
  double number = 0;
  uint32_t index = 0;  // register, constant, integer and boolean payloads

  PushValue(const char* s) : kind(kString), text(s) {}
  PushValue(std::string s) : kind(kString), text(std::move(s)) {}
  PushValue(double d) : kind(kDouble), number(d) {}
  PushValue(int i) : kind(kInteger), index(uint32_t(i)) {}
  PushValue(bool b) : kind(kBoolean), index(b ? 1 : 0) {}
  static PushValue null() { return PushValue(kNull, 0); }
  static PushValue undefined() { return PushValue(kUndefined, 0); }
  static PushValue reg(uint8_t r) { return PushValue(kRegister, r); }
  static PushValue constant(uint16_t i) { return PushValue(i < 256 ? kConstant8 : kConstant16, i); }
  static PushValue f32(float f) {
    PushValue v(kFloat, 0);
    v.number = f;
    return v;
  }

 private:
  PushValue(Kind k, uint32_t i) : kind(k), index(i) {}
};

class Actions {
 public:
  using Label = int;

  // Action codes by name, for op().
  enum Code : uint8_t {
    kNextFrame = 0x04, kPrevFrame = 0x05, kPlay = 0x06, kStop = 0x07, kAdd = 0x0A,
    kSubtract = 0x0B, kMultiply = 0x0C, kDivide = 0x0D, kEquals = 0x0E, kLess = 0x0F,
    kAnd = 0x10, kOr = 0x11, kNot = 0x12, kStringEquals = 0x13, kStringLength = 0x14,
    kStringExtract = 0x15, kPop = 0x17, kToInteger = 0x18, kGetVariable = 0x1C,
    kSetVariable = 0x1D, kSetTarget2 = 0x20, kStringAdd = 0x21, kGetProperty = 0x22,
    kSetProperty = 0x23, kCloneSprite = 0x24, kRemoveSprite = 0x25, kTrace = 0x26,
    kStartDrag = 0x27, kEndDrag = 0x28, kStringLess = 0x29, kThrow = 0x2A, kCastOp = 0x2B,
    kImplementsOp = 0x2C, kRandomNumber = 0x30, kCharToAscii = 0x32, kAsciiToChar = 0x33,
    kGetTime = 0x34, kDelete = 0x3A, kDelete2 = 0x3B, kDefineLocal = 0x3C,
    kCallFunction = 0x3D, kReturn = 0x3E, kModulo = 0x3F, kNewObject = 0x40,
    kDefineLocal2 = 0x41, kInitArray = 0x42, kInitObject = 0x43, kTypeOf = 0x44,
    kTargetPath = 0x45, kEnumerate = 0x46, kAdd2 = 0x47, kLess2 = 0x48, kEquals2 = 0x49,
    kToNumber = 0x4A, kToString = 0x4B, kPushDuplicate = 0x4C, kStackSwap = 0x4D,
    kGetMember = 0x4E, kSetMember = 0x4F, kIncrement = 0x50, kDecrement = 0x51,
    kCallMethod = 0x52, kNewMethod = 0x53, kInstanceOf = 0x54, kEnumerate2 = 0x55,
    kBitAnd = 0x60, kBitOr = 0x61, kBitXor = 0x62, kBitLShift = 0x63, kBitRShift = 0x64,
    kBitURShift = 0x65, kStrictEquals = 0x66, kGreater = 0x67, kStringGreater = 0x68,
    kExtends = 0x69, kCall = 0x9E,
  };

  Actions& op(uint8_t code);
  Actions& record(uint8_t code, const Bytes& payload);  // codes from 0x80
  Actions& push(std::vector<PushValue> values);
  Actions& constantPool(const std::vector<std::string>& names);
  Actions& gotoFrame(uint16_t frame);  // 0-based
  Actions& gotoLabel(const std::string& label);
  Actions& gotoFrame2(bool play, uint16_t bias = 0);
  Actions& getUrl(const std::string& url, const std::string& target);
  // flags: the method in the low bits (1 GET, 2 POST), 0x40 into a target, 0x80 variables.
  Actions& getUrl2(uint8_t flags);
  Actions& setTarget(const std::string& target);
  Actions& storeRegister(uint8_t reg);
  Actions& waitForFrame(uint16_t frame, uint8_t skip);

  // Jumps to labels placed later or earlier with mark().
  Label label();
  Actions& mark(Label l);
  Actions& jump(Label l);
  Actions& ifTrue(Label l);

  // DefineFunction: named (stored in a variable) or anonymous (pushed) with plain params.
  Actions& function(const std::string& name, const std::vector<std::string>& params, const Actions& body);
  // DefineFunction2: params are (register, name); register 0 keeps a param by name.
  Actions& function2(const std::string& name, uint8_t registers, uint16_t flags,
                     const std::vector<std::pair<uint8_t, std::string>>& params, const Actions& body);
  Actions& with(const Actions& body);
  // Try with catch into a variable (or a register when catchRegister is set) and finally.
  Actions& tryCatch(const Actions& tryBody, const std::string& catchName, const Actions& catchBody,
                    const Actions* finallyBody = nullptr, int catchRegister = -1);

  // Conveniences: trace of a literal, trace of a variable.
  Actions& trace(const std::string& text);
  Actions& traceVariable(const std::string& name);

  // The records, without the End action (as nested bodies need), or with it.
  Bytes body() const;
  Bytes bytes() const;

 private:
  struct Fixup {
    size_t at;    // where the 16-bit offset goes
    size_t next;  // offset of the following record
    Label label;
  };
  Bytes out_;
  std::vector<long> labels_;
  std::vector<Fixup> fixups_;
};

void doAction(TagList& tags, const Actions& actions);
void doInitAction(TagList& tags, uint16_t spriteId, const Actions& actions);
void exportAssets(TagList& tags, const std::vector<std::pair<uint16_t, std::string>>& names);
// ImportAssets (version2: ImportAssets2): the named exports of the movie at url, bound to
// the ids given.
void importAssets(TagList& tags, const std::string& url, const std::vector<std::pair<uint16_t, std::string>>& names,
                  bool version2 = false);

}  // namespace swf
