#pragma once
// One running piece of code: frame actions or a function call.
#include <string>
#include <vector>

#include "movie/script/code.h"
#include "movie/script/value.h"

namespace movie::script {

class Object;
class Function;

struct Activation {
  CodeRange code;
  int version = 0;
  // Scope chain, searched from the back, then _global. scopes[0] is the timeline whose
  // variables undeclared assignments create (the target for frame code).
  std::vector<Object*> scopes;
  Object* locals = nullptr;    // a function's own variables (null for frame code)
  Value self;                  // this
  Object* target = nullptr;    // the clip timeline actions work on (SetTarget changes it)
  Object* baseClip = nullptr;  // the clip the code belongs to
  std::vector<std::string> constants;
  std::vector<Value> registers;
  std::vector<Value> stack;
  Function* callee = nullptr;
  Object* home = nullptr;      // where the running method was found, for super
  Object* arguments = nullptr;
  int blockDepth = 0;          // nested with/try blocks
};

}  // namespace movie::script
