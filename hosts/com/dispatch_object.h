#pragma once
// IDispatch implemented from a member table, for the program's own automation objects:
// the built-in components, their inner objects (a page's document and body), event sinks
// and test doubles. Names match without regard to case, as automation does.
#include <windows.h>
#include <oaidl.h>

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/com/ptr.h"
#include "hosts/com/variant.h"

namespace hosts::com {

// The arguments of one Invoke, first argument at index 0 (Invoke stores them reversed).
class DispArgs {
 public:
  explicit DispArgs(const DISPPARAMS* params) : params_(params) {}
  size_t size() const;
  const VARIANT& operator[](size_t i) const;   // natural order; i < size()
  bool has(size_t i) const;                    // present and not omitted
  // Coerced copies; a missing or unconvertible argument throws DispatchError
  // (DISP_E_BADPARAMCOUNT / DISP_E_TYPEMISMATCH).
  std::wstring string(size_t i) const;
  int integer(size_t i) const;
  bool boolean(size_t i) const;

 private:
  const DISPPARAMS* params_;
};

// Thrown by a member to fail its call. With a description the caller sees it through
// EXCEPINFO (DISP_E_EXCEPTION); without one the caller sees hr itself.
struct DispatchError {
  HRESULT hr = E_FAIL;
  std::wstring description;
};

using MemberFunction = std::function<Variant(const DispArgs&)>;
using PutFunction = std::function<void(const Variant&)>;

class DispatchObject : public IDispatch {
 public:
  DispatchObject(const DispatchObject&) = delete;
  DispatchObject& operator=(const DispatchObject&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch (no type information)
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* argError) override;

  ULONG refCount() const { return refs_.load(); }

 protected:
  DispatchObject() = default;
  virtual ~DispatchObject() = default;

  // Member table. A member may have any of a method, a getter and a putter; an empty
  // name makes it reachable by id only (event sinks).
  void addMethod(std::wstring name, DISPID id, MemberFunction fn);
  void addProperty(std::wstring name, DISPID id, std::function<Variant()> getter,
                   PutFunction putter = nullptr);

  // Further interfaces of a derived object: return it (not AddRef'ed) or nullptr.
  virtual void* queryOther(REFIID iid) { return nullptr; }

 private:
  struct Member {
    std::wstring name;
    DISPID id;
    MemberFunction method;
    std::function<Variant()> getter;
    PutFunction putter;
  };
  Member* find(DISPID id);
  Member& entry(std::wstring name, DISPID id);

  std::atomic<ULONG> refs_{1};  // the creator owns the first reference
  std::vector<Member> members_;
};

// Makes a new object owned by a Ptr (the constructor's reference is adopted).
template <class T, class... A>
auto make(A&&... a) {
  return Ptr<T>::adopt(new T(std::forward<A>(a)...));
}

}  // namespace hosts::com
