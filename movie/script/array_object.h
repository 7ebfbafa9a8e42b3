#pragma once
// Arrays keep their elements in a vector; "length" and index names reach it.
#include <string>
#include <vector>

#include "movie/script/object.h"

namespace movie::script {

class ArrayObject : public Object {
 public:
  static constexpr size_t kMaxLength = 4'000'000;

  ArrayObject(Heap& heap, Object* proto) : Object(heap, proto) {}
  std::string typeName() const override { return "Array"; }

  std::vector<Value>& items() { return items_; }
  const std::vector<Value>& items() const { return items_; }
  void assign(std::vector<Value> items);
  void setLength(double length);  // throws ScriptAbort past kMaxLength
  void push(Value v);

  bool getSpecial(Machine& m, const std::string& name, Value& out) override;
  bool setSpecial(Machine& m, const std::string& name, const Value& value) override;
  bool deleteSpecial(const std::string& name) override;
  void specialNames(std::vector<std::string>& out) override;
  void traceRefs(std::vector<Object*>& out) const override;

 private:
  std::vector<Value> items_;
};

// The index a name stands for ("0", "12"), or -1 when it is not a canonical index.
long long arrayIndex(const std::string& name);

}  // namespace movie::script
