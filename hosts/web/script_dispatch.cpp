#include "hosts/web/script_dispatch.h"
#include "ui/text.h"

namespace hosts::web {

namespace {


}  // namespace

com::Variant toVariant(const page::Value& value, const ScriptDispatch::Changed& changed) {
  switch (value.kind) {
    case page::Value::Kind::String: return com::Variant(std::wstring_view(ui::fromUtf8(value.string)));
    case page::Value::Kind::Object: {
      if (!value.object) return com::Variant();
      auto d = com::make<ScriptDispatch>(value.object, changed);
      return com::Variant(static_cast<IDispatch*>(d.get()));
    }
    case page::Value::Kind::Empty: break;
  }
  return com::Variant();
}

ScriptDispatch::ScriptDispatch(std::shared_ptr<page::ScriptObject> object, Changed changed)
    : object_(std::move(object)), changed_(std::move(changed)) {}

HRESULT STDMETHODCALLTYPE ScriptDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                                        DISPID* ids) {
  if (!names || !ids || count == 0) return E_INVALIDARG;
  HRESULT hr = S_OK;
  for (UINT i = 0; i < count; ++i) {
    ids[i] = DISPID_UNKNOWN;
    if (!names[i]) { hr = DISP_E_UNKNOWNNAME; continue; }
    std::optional<int> id = object_->memberId(ui::toUtf8(names[i]));
    // Only the member's own name resolves; argument names are not supported.
    if (i == 0 && id) ids[i] = *id; else hr = DISP_E_UNKNOWNNAME;
  }
  return hr;
}

HRESULT STDMETHODCALLTYPE ScriptDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags,
                                                 DISPPARAMS* params, VARIANT* result,
                                                 EXCEPINFO*, UINT* argError) {
  if (object_->memberName(id).empty()) return DISP_E_MEMBERNOTFOUND;
  com::DispArgs args(params);
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    if (args.size() != 1) return DISP_E_BADPARAMCOUNT;
    com::Variant value = com::Variant::copyOf(args[0]);
    std::wstring text;
    try {
      text = value.toString();
    } catch (...) {
      if (argError) *argError = 0;
      return DISP_E_TYPEMISMATCH;
    }
    page::CallResult r = object_->putById(id, page::Value::fromString(ui::toUtf8(text)));
    if (!r.ok) return DISP_E_MEMBERNOTFOUND;
    if (changed_) changed_();
    return S_OK;
  }
  if (!(flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD))) return DISP_E_MEMBERNOTFOUND;
  page::CallResult r = object_->getById(id);
  if (!r.ok) return DISP_E_MEMBERNOTFOUND;
  if (result) {
    com::Variant v = toVariant(r.value, changed_);
    VariantInit(result);
    VariantCopy(result, const_cast<VARIANT*>(&v.get()));
  }
  return S_OK;
}

}  // namespace hosts::web
