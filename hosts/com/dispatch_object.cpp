#include "hosts/com/dispatch_object.h"

#include <exception>

#include "hosts/com/text.h"
#include "ui/text.h"

namespace hosts::com {

namespace {

void fillException(EXCEPINFO* info, const std::wstring& description) {
  if (!info) return;
  *info = EXCEPINFO{};
  info->scode = E_FAIL;
  info->bstrDescription = SysAllocStringLen(description.data(), UINT(description.size()));
}

}  // namespace

// --- DispArgs ---------------------------------------------------------------------------

size_t DispArgs::size() const { return params_ ? params_->cArgs : 0; }

const VARIANT& DispArgs::operator[](size_t i) const { return params_->rgvarg[params_->cArgs - 1 - i]; }

bool DispArgs::has(size_t i) const {
  if (i >= size()) return false;
  const VARIANT& v = (*this)[i];
  return !(v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND);
}

namespace {
Variant argument(const DispArgs& args, size_t i, VARTYPE type) {
  if (!args.has(i)) throw DispatchError{DISP_E_BADPARAMCOUNT, {}};
  // A by-reference argument is read through its reference.
  Variant r;
  if (FAILED(VariantChangeType(r.put(), const_cast<VARIANT*>(&args[i]), 0, type)))
    throw DispatchError{DISP_E_TYPEMISMATCH, {}};
  return r;
}
}  // namespace

std::wstring DispArgs::string(size_t i) const {
  Variant v = argument(*this, i, VT_BSTR);
  BSTR b = v.get().bstrVal;
  return b ? std::wstring(b, SysStringLen(b)) : std::wstring();
}
int DispArgs::integer(size_t i) const { return argument(*this, i, VT_I4).get().lVal; }
bool DispArgs::boolean(size_t i) const { return argument(*this, i, VT_BOOL).get().boolVal != VARIANT_FALSE; }

// --- DispatchObject ---------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE DispatchObject::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch))
    *out = static_cast<IDispatch*>(this);
  else
    *out = queryOther(iid);
  if (!*out) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE DispatchObject::AddRef() { return ++refs_; }

ULONG STDMETHODCALLTYPE DispatchObject::Release() {
  ULONG n = --refs_;
  if (n == 0) delete this;
  return n;
}

HRESULT STDMETHODCALLTYPE DispatchObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DispatchObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                                        DISPID* ids) {
  if (!names || !ids || count == 0) return E_INVALIDARG;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  // Only the member name is looked up; named arguments are not supported.
  for (const Member& m : members_) {
    if (!m.name.empty() && names[0] && sameName(m.name, names[0])) {
      ids[0] = m.id;
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
  }
  return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE DispatchObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                                 VARIANT* result, EXCEPINFO* info, UINT* argError) {
  Member* m = find(id);
  if (!m) return DISP_E_MEMBERNOTFOUND;
  DISPPARAMS none{};
  DispArgs args(params ? params : &none);
  if (result) VariantInit(result);
  try {
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
      if (!m->putter) return DISP_E_MEMBERNOTFOUND;
      if (args.size() != 1) return DISP_E_BADPARAMCOUNT;
      m->putter(Variant::copyOf(args[0]));
      return S_OK;
    }
    Variant value;
    if ((flags & DISPATCH_METHOD) && m->method) {
      value = m->method(args);
    } else if ((flags & DISPATCH_PROPERTYGET) && m->getter) {
      if (args.size() != 0) return DISP_E_BADPARAMCOUNT;
      value = m->getter();
    } else {
      return DISP_E_MEMBERNOTFOUND;
    }
    if (result) *result = value.detach();
    return S_OK;
  } catch (const DispatchError& e) {
    if (e.description.empty()) return e.hr;
    fillException(info, e.description);
    if (info) info->scode = e.hr;
    return DISP_E_EXCEPTION;
  } catch (const std::exception& e) {
    // A member's own error (ui::Error and the like) reaches the caller as its description.
    fillException(info, ui::widen(e.what()));
    return DISP_E_EXCEPTION;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

void DispatchObject::addMethod(std::wstring name, DISPID id, MemberFunction fn) {
  entry(std::move(name), id).method = std::move(fn);
}

void DispatchObject::addProperty(std::wstring name, DISPID id, std::function<Variant()> getter,
                                 PutFunction putter) {
  Member& m = entry(std::move(name), id);
  m.getter = std::move(getter);
  m.putter = std::move(putter);
}

DispatchObject::Member* DispatchObject::find(DISPID id) {
  for (Member& m : members_)
    if (m.id == id) return &m;
  return nullptr;
}

DispatchObject::Member& DispatchObject::entry(std::wstring name, DISPID id) {
  if (Member* m = find(id)) {
    if (!name.empty()) m->name = std::move(name);
    return *m;
  }
  members_.push_back(Member{std::move(name), id, nullptr, nullptr, nullptr});
  return members_.back();
}

}  // namespace hosts::com
