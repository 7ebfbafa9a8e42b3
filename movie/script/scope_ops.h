#pragma once
// Variables by name through the scope chain (with target paths), and the calls and
// class links of the object actions.
#include <memory>
#include <string>
#include <vector>

#include "movie/script/activation.h"
#include "movie/script/function.h"
#include "movie/script/machine.h"

namespace movie::script {

Value getVariable(Machine& m, Activation& act, const std::string& name);
void setVariable(Machine& m, Activation& act, const std::string& name, const Value& v);
// DefineLocal (and named function definitions): the function's own variables, or the
// timeline's in frame code.
void setVariableLocal(Machine& m, Activation& act, const std::string& name, const Value& v, bool defineOnly);
void declareLocal(Machine& m, Activation& act, const std::string& name);
bool deleteVariable(Machine& m, Activation& act, const std::string& name);
bool deleteMember(Machine& m, const Value& object, const std::string& name);

Value callNamedFunction(Machine& m, Activation& act, const std::string& name, std::vector<Value> args);
Value callMethodOf(Machine& m, Activation& act, const Value& object, const Value& name, std::vector<Value> args);

Function* makeScriptFunction(Machine& m, std::shared_ptr<const FunctionCode> code,
                             std::vector<Object*> scopes, std::vector<std::string> constants,
                             Object* baseClip);
// The super object of the running method (null when there is none).
Object* makeSuper(Machine& m, Activation& act);
void extendClass(Machine& m, Object* subclass, Object* superclass);
void implementInterfaces(Machine& m, Object* constructor, const std::vector<Value>& interfaces);

// The object behind super in a method found on home, for this.
class SuperObject : public Object {
 public:
  SuperObject(Heap& heap, Object* base, Value self) : Object(heap, nullptr), base_(base), self_(std::move(self)) {}
  Object* base() const { return base_; }
  const Value& self() const { return self_; }
  bool getSpecial(Machine& m, const std::string& name, Value& out) override;
  void traceRefs(std::vector<Object*>& out) const override {
    Object::traceRefs(out);
    if (base_) out.push_back(base_);
    if (Object* o = self_.object()) out.push_back(o);
  }

 private:
  Object* base_;
  Value self_;
};

}  // namespace movie::script
