#pragma once
// The component services for the calling thread as a single-threaded apartment, for the
// lifetime of the object (CoInitializeEx at construction, CoUninitialize at the end).
#include <objbase.h>

namespace hosts::com {

class Apartment {
 public:
  Apartment() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~Apartment() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;
  HRESULT result() const { return hr_; }

 private:
  HRESULT hr_;
};

}  // namespace hosts::com
