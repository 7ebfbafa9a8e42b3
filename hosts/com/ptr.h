#pragma once
// An owning reference to a component object: AddRef on copy, Release on destruction.
#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace hosts::com {

template <class T>
class Ptr {
 public:
  Ptr() = default;
  Ptr(std::nullptr_t) {}
  // Takes a new reference of p (AddRef).
  explicit Ptr(T* p) : p_(p) {
    if (p_) p_->AddRef();
  }
  Ptr(const Ptr& o) : Ptr(o.p_) {}
  Ptr(Ptr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ~Ptr() { reset(); }
  Ptr& operator=(Ptr o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }

  // Wraps a reference the caller already owns (no AddRef), e.g. a factory's new object.
  static Ptr adopt(T* p) {
    Ptr r;
    r.p_ = p;
    return r;
  }

  void reset() {
    if (p_) std::exchange(p_, nullptr)->Release();
  }
  // For out-parameters: releases what is held and hands out the slot.
  T** put() {
    reset();
    return &p_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // Gives up the reference to the caller (no Release).
  T* detach() { return std::exchange(p_, nullptr); }

  // QueryInterface for another interface; empty when the object lacks it.
  template <class U>
  Ptr<U> query(REFIID iid) const {
    Ptr<U> r;
    if (p_) p_->QueryInterface(iid, r.putVoid());
    return r;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace hosts::com
