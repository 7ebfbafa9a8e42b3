#pragma once
// Functions: native ones (built-ins and host methods) and those a script defines
// (DefineFunction and DefineFunction2), which keep the scope chain they were made in.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "movie/script/code.h"
#include "movie/script/object.h"

namespace movie::script {

class Machine;

// What a native function is called with.
struct CallArgs {
  Value self;                 // this (undefined for plain calls)
  std::vector<Value> args;
  bool constructing = false;  // called by new: self is the fresh object
  Value arg(size_t i) const { return i < args.size() ? args[i] : Value(); }
  size_t size() const { return args.size(); }
};

using NativeFn = std::function<Value(Machine&, CallArgs&)>;

// A parameter of a script function: its name, and for DefineFunction2 the register
// it lives in (0: a plain local).
struct Param {
  std::string name;
  uint8_t reg = 0;
};

// The part of a script function that does not change per closure.
struct FunctionCode {
  std::string name;
  std::vector<Param> params;
  CodeRange body;
  bool hasRegisters = false;  // DefineFunction2
  uint8_t registerCount = 0;
  uint16_t flags = 0;         // DefineFunction2 preload and suppress flags
  int version = 0;            // the movie version of the code
};

class Function : public Object {
 public:
  Function(Heap& heap, Object* proto, NativeFn native, std::string name = {})
      : Object(heap, proto), native_(std::move(native)), name_(std::move(name)) {}
  Function(Heap& heap, Object* proto, std::shared_ptr<const FunctionCode> code,
           std::vector<Object*> scopes, std::vector<std::string> constants, Object* baseClip)
      : Object(heap, proto), code_(std::move(code)), scopes_(std::move(scopes)),
        constants_(std::move(constants)), baseClip_(baseClip) {}

  std::string typeName() const override { return "Function"; }
  Function* asFunction() override { return this; }
  void traceRefs(std::vector<Object*>& out) const override {
    Object::traceRefs(out);
    out.insert(out.end(), scopes_.begin(), scopes_.end());
    if (baseClip_) out.push_back(baseClip_);
  }

  // For native constructors whose instances are of a kind of their own (arrays, dates).
  std::function<Object*(Machine&, Object* proto)> allocator;

  const NativeFn& native() const { return native_; }
  const std::shared_ptr<const FunctionCode>& code() const { return code_; }
  const std::vector<Object*>& scopes() const { return scopes_; }
  const std::vector<std::string>& constants() const { return constants_; }
  Object* baseClip() const { return baseClip_; }
  const std::string& name() const { return code_ ? code_->name : name_; }

 private:
  NativeFn native_;
  std::string name_;
  std::shared_ptr<const FunctionCode> code_;
  std::vector<Object*> scopes_;
  std::vector<std::string> constants_;
  Object* baseClip_ = nullptr;  // the timeline the function was defined on
};

}  // namespace movie::script
