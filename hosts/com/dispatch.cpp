#include "hosts/com/dispatch.h"

#include <string>

#include "hosts/com/errors.h"

namespace hosts::com {

namespace {

// EXCEPINFO whose strings are freed when it goes out of scope.
struct ExcepInfo {
  EXCEPINFO info{};
  ~ExcepInfo() {
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
  }
};

IDispatch* require(IDispatch* object) {
  if (!object) throwInvalidVariant();
  return object;
}

}  // namespace

Variant invoke(IDispatch* object, DISPID id, WORD flags, const std::vector<Variant>& args) {
  require(object);
  // Invoke takes the arguments last-first; the VARIANTs are borrowed, not copied.
  std::vector<VARIANT> reversed;
  reversed.reserve(args.size());
  for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(it->get());
  DISPPARAMS params{};
  params.cArgs = UINT(reversed.size());
  params.rgvarg = reversed.empty() ? nullptr : reversed.data();
  DISPID named = DISPID_PROPERTYPUT;
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.cNamedArgs = 1;
    params.rgdispidNamedArgs = &named;
  }
  Variant result;
  ExcepInfo error;
  UINT argError = 0;
  const bool wantsResult = !(flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF));
  HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                              wantsResult ? result.put() : nullptr, &error.info, &argError);
  if (FAILED(hr)) throwFailure(hr, hr == DISP_E_EXCEPTION ? &error.info : nullptr);
  return result;
}

Variant call(IDispatch* object, DISPID id, const std::vector<Variant>& args) {
  return invoke(object, id, DISPATCH_METHOD, args);
}

Variant get(IDispatch* object, DISPID id) { return invoke(object, id, DISPATCH_PROPERTYGET); }

void put(IDispatch* object, DISPID id, const Variant& value) {
  invoke(object, id, DISPATCH_PROPERTYPUT, {value});
}

DISPID idOfName(IDispatch* object, std::wstring_view name) {
  require(object);
  std::wstring copy(name);
  LPOLESTR names[1] = {copy.data()};
  DISPID id = DISPID_UNKNOWN;
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr) || id == DISPID_UNKNOWN) throwMemberNotSupported(name);
  return id;
}

Variant callByName(IDispatch* object, std::wstring_view name, const std::vector<Variant>& args) {
  return invoke(object, idOfName(object, name), DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}

Variant getByName(IDispatch* object, std::wstring_view name) {
  return invoke(object, idOfName(object, name), DISPATCH_PROPERTYGET);
}

void putByName(IDispatch* object, std::wstring_view name, const Variant& value) {
  put(object, idOfName(object, name), value);
}

Ptr<IDispatch> objectOf(const Variant& value) {
  const VARIANT& v = value.get();
  if (v.vt == VT_DISPATCH && v.pdispVal) return Ptr<IDispatch>(v.pdispVal);
  if (v.vt == VT_UNKNOWN && v.punkVal) {
    Ptr<IDispatch> d;
    if (SUCCEEDED(v.punkVal->QueryInterface(IID_IDispatch, d.putVoid())) && d) return d;
  }
  throwInvalidVariant();
}

}  // namespace hosts::com
