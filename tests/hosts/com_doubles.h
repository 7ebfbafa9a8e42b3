#pragma once
// Automation objects made for the tests of the component-object layer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hosts/com/builtin_component.h"
#include "hosts/com/dispatch_object.h"

namespace hosts_test {

// Members with known behaviour: a string property, a method recording its arguments,
// an object-valued property, an empty one, and failing members of each kind.
class Gadget : public hosts::com::DispatchObject {
 public:
  explicit Gadget(bool* destroyed = nullptr);
  ~Gadget() override;

  std::wstring caption = L"start";
  std::vector<std::vector<hosts::com::Variant>> calls;  // arguments of each Run call
  hosts::com::Ptr<hosts::com::DispatchObject> child;     // what "Child" answers

 private:
  bool* destroyed_;
};

// A component double: records what the host does through the embedding interface.
class ComponentDouble : public hosts::com::BuiltinComponent {
 public:
  ComponentDouble();
  using BuiltinComponent::fire;
  int settingsLoads = 0;

 protected:
  void settingsLoaded() override { ++settingsLoads; }
};

}  // namespace hosts_test
