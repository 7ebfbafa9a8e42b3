#include "com_doubles.h"

namespace hosts_test {

using hosts::com::DispArgs;
using hosts::com::DispatchError;
using hosts::com::Variant;

Gadget::Gadget(bool* destroyed) : destroyed_(destroyed) {
  addProperty(L"Caption", 1, [this] { return Variant(caption); },
              [this](const Variant& v) { caption = v.toString(); });
  addMethod(L"Run", 2, [this](const DispArgs& args) {
    std::vector<Variant> copy;
    for (size_t i = 0; i < args.size(); ++i) copy.push_back(Variant::copyOf(args[i]));
    calls.push_back(std::move(copy));
    return Variant(int(args.size()));
  });
  addProperty(L"Child", 3, [this] {
    return child ? Variant(static_cast<IDispatch*>(child.get())) : Variant();
  });
  addProperty(L"Nothing", 4, [] { return Variant(); });
  addMethod(L"FailDescribed", 5, [](const DispArgs&) -> Variant {
    throw DispatchError{E_FAIL, L"组件自己的说明"};
  });
  addMethod(L"FailKnownCode", 6, [](const DispArgs&) -> Variant {
    throw DispatchError{E_ACCESSDENIED, {}};
  });
  addMethod(L"FailUnknownCode", 7, [](const DispArgs&) -> Variant {
    throw DispatchError{HRESULT(0x8004ABCD), {}};
  });
}

Gadget::~Gadget() {
  if (destroyed_) *destroyed_ = true;
}

ComponentDouble::ComponentDouble() = default;

}  // namespace hosts_test
