#pragma once
// Owning wrappers over the platform's automation values: Bstr frees with SysFreeString,
// Variant clears with VariantClear. Both are binary-compatible views for Invoke.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

namespace hosts::com {

class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(std::wstring_view s);  // SysAllocStringLen
  Bstr(const Bstr& o);
  Bstr(Bstr&& o) noexcept;
  Bstr& operator=(Bstr o) noexcept;
  ~Bstr();
  static Bstr adopt(BSTR b);  // takes ownership of an allocated BSTR
  BSTR get() const { return b_; }
  BSTR detach();
  std::wstring str() const;  // empty for a null BSTR

 private:
  BSTR b_ = nullptr;
};

// VARIANT with value semantics (VariantCopy / VariantClear).
class Variant {
 public:
  Variant();  // VT_EMPTY
  Variant(const Variant& o);
  Variant(Variant&& o) noexcept;
  Variant& operator=(const Variant& o);
  Variant& operator=(Variant&& o) noexcept;
  ~Variant();

  // Converting constructors (VT_BSTR, VT_I4, VT_BOOL, VT_DISPATCH with AddRef).
  explicit Variant(std::wstring_view s);
  explicit Variant(const wchar_t* s) : Variant(std::wstring_view(s)) {}
  explicit Variant(int value);
  explicit Variant(bool value);
  explicit Variant(IDispatch* object);
  static Variant copyOf(const VARIANT& v);  // VariantCopy
  static Variant adopt(VARIANT& v);         // takes the value, leaves v empty
  // An omitted optional argument (VT_ERROR, DISP_E_PARAMNOTFOUND).
  static Variant omitted();

  VARTYPE type() const { return v_.vt; }
  bool empty() const { return v_.vt == VT_EMPTY || v_.vt == VT_NULL; }
  bool isOmitted() const;
  const VARIANT& get() const { return v_; }
  VARIANT* put();  // clears, then hands out the slot for an out-parameter
  VARIANT detach();  // gives the value to the caller, leaves this empty

  // Coercions through VariantChangeType; throw ui::Error on failure.
  std::wstring toString() const;
  int toInt() const;
  bool toBool() const;
  // The object held by a VT_DISPATCH value (not AddRef'ed); nullptr otherwise.
  IDispatch* dispatch() const;

 private:
  VARIANT v_;
};

}  // namespace hosts::com
