#pragma once
// IDispatch over an object of the page engine's object model (the document, its body),
// so that late-bound calls from the host reach the page: names resolve through
// GetIDsOfNames (an unknown one answers DISP_E_UNKNOWNNAME), values cross as BSTRs and
// further objects. After every successful put the component is told, so a changed
// Scroll takes effect at once.
#include <functional>
#include <memory>

#include "hosts/com/dispatch_object.h"
#include "page/page.h"

namespace hosts::web {

class ScriptDispatch final : public com::DispatchObject {
 public:
  using Changed = std::function<void()>;
  ScriptDispatch(std::shared_ptr<page::ScriptObject> object, Changed changed);

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* argError) override;

 private:
  std::shared_ptr<page::ScriptObject> object_;
  Changed changed_;
};

// The engine's value as a VARIANT (objects wrapped in a new ScriptDispatch).
com::Variant toVariant(const page::Value& value, const ScriptDispatch::Changed& changed);

}  // namespace hosts::web
