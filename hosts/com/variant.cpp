#include "hosts/com/variant.h"

#include <utility>

#include "hosts/com/errors.h"

namespace hosts::com {

Bstr::Bstr(std::wstring_view s) : b_(SysAllocStringLen(s.data(), UINT(s.size()))) {
  if (!b_) throwFailure(E_OUTOFMEMORY);
}
Bstr::Bstr(const Bstr& o) : b_(o.b_ ? SysAllocStringLen(o.b_, SysStringLen(o.b_)) : nullptr) {}
Bstr::Bstr(Bstr&& o) noexcept : b_(std::exchange(o.b_, nullptr)) {}
Bstr& Bstr::operator=(Bstr o) noexcept {
  std::swap(b_, o.b_);
  return *this;
}
Bstr::~Bstr() { SysFreeString(b_); }
Bstr Bstr::adopt(BSTR b) {
  Bstr r;
  r.b_ = b;
  return r;
}
BSTR Bstr::detach() { return std::exchange(b_, nullptr); }
std::wstring Bstr::str() const { return b_ ? std::wstring(b_, SysStringLen(b_)) : std::wstring(); }

Variant::Variant() { VariantInit(&v_); }
Variant::Variant(const Variant& o) : Variant() { check(VariantCopy(&v_, const_cast<VARIANT*>(&o.v_))); }
Variant::Variant(Variant&& o) noexcept : v_(o.v_) { VariantInit(&o.v_); }
Variant& Variant::operator=(const Variant& o) {
  if (this != &o) check(VariantCopy(&v_, const_cast<VARIANT*>(&o.v_)));
  return *this;
}
Variant& Variant::operator=(Variant&& o) noexcept {
  if (this != &o) {
    VariantClear(&v_);
    v_ = o.v_;
    VariantInit(&o.v_);
  }
  return *this;
}
Variant::~Variant() { VariantClear(&v_); }

Variant::Variant(std::wstring_view s) : Variant() {
  v_.bstrVal = Bstr(s).detach();
  v_.vt = VT_BSTR;
}
Variant::Variant(int value) : Variant() {
  v_.vt = VT_I4;
  v_.lVal = value;
}
Variant::Variant(bool value) : Variant() {
  v_.vt = VT_BOOL;
  v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}
Variant::Variant(IDispatch* object) : Variant() {
  v_.vt = VT_DISPATCH;
  v_.pdispVal = object;
  if (object) object->AddRef();
}
Variant Variant::copyOf(const VARIANT& v) {
  Variant r;
  check(VariantCopy(&r.v_, const_cast<VARIANT*>(&v)));
  return r;
}
Variant Variant::adopt(VARIANT& v) {
  Variant r;
  r.v_ = v;
  VariantInit(&v);
  return r;
}
Variant Variant::omitted() {
  Variant r;
  r.v_.vt = VT_ERROR;
  r.v_.scode = DISP_E_PARAMNOTFOUND;
  return r;
}
bool Variant::isOmitted() const { return v_.vt == VT_ERROR && v_.scode == DISP_E_PARAMNOTFOUND; }
VARIANT Variant::detach() {
  VARIANT r = v_;
  VariantInit(&v_);
  return r;
}
VARIANT* Variant::put() {
  VariantClear(&v_);
  return &v_;
}

namespace {
Variant coerced(const VARIANT& v, VARTYPE type) {
  Variant r;
  check(VariantChangeType(r.put(), const_cast<VARIANT*>(&v), 0, type));
  return r;
}
}  // namespace

std::wstring Variant::toString() const {
  if (v_.vt == VT_BSTR) return v_.bstrVal ? std::wstring(v_.bstrVal, SysStringLen(v_.bstrVal)) : L"";
  Variant s = coerced(v_, VT_BSTR);
  const BSTR b = s.get().bstrVal;
  return b ? std::wstring(b, SysStringLen(b)) : std::wstring();
}
int Variant::toInt() const { return coerced(v_, VT_I4).get().lVal; }
bool Variant::toBool() const { return coerced(v_, VT_BOOL).get().boolVal != VARIANT_FALSE; }

IDispatch* Variant::dispatch() const {
  if (v_.vt == VT_DISPATCH) return v_.pdispVal;
  return nullptr;
}

}  // namespace hosts::com
