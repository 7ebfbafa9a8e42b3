#pragma once
// The program's built-in component classes, by class identifier. Nothing here reaches
// the platform's class registry: a class identifier no built-in class answers fails.
// Tests register doubles under the same identifiers (a registration replaces the last).
#include <windows.h>

#include <functional>
#include <string_view>

#include "hosts/com/errors.h"
#include "hosts/com/ptr.h"

namespace hosts::com {

// Makes a new object and hands over its first reference.
using Factory = std::function<Ptr<IUnknown>()>;

void registerClass(const CLSID& clsid, Factory factory);
void unregisterClass(const CLSID& clsid);
bool isRegistered(const CLSID& clsid);

// A new instance; throws ui::Error with the system's text for REGDB_E_CLASSNOTREG when
// no class answers, or the failure text when the factory fails.
Ptr<IUnknown> createInstance(const CLSID& clsid);
// The same, queried for iid; throws (E_NOINTERFACE text) when the object lacks it.
template <class T>
Ptr<T> createInstance(const CLSID& clsid, REFIID iid);

// "{D27CDB6E-AE6D-11CF-96B8-444553540000}" -> CLSID; throws ui::Error when malformed.
CLSID parseClsid(std::wstring_view text);

// Registers a factory for the lifetime of the object and puts back what was there
// before (tests use it to stand a double in for a built-in class).
class ScopedRegistration {
 public:
  ScopedRegistration(const CLSID& clsid, Factory factory);
  ~ScopedRegistration();
  ScopedRegistration(const ScopedRegistration&) = delete;
  ScopedRegistration& operator=(const ScopedRegistration&) = delete;

 private:
  CLSID clsid_;
  Factory previous_;
};

Factory registeredFactory(const CLSID& clsid);  // empty when none

template <class T>
Ptr<T> createInstance(const CLSID& clsid, REFIID iid) {
  Ptr<IUnknown> object = createInstance(clsid);
  Ptr<T> r = object.template query<T>(iid);
  if (!r) throwFailure(E_NOINTERFACE);
  return r;
}

}  // namespace hosts::com
