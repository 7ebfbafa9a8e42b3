#include "hosts/com/registry.h"

#include <mutex>
#include <string>
#include <vector>

#include "ui/error.h"

namespace hosts::com {

namespace {

struct Entry {
  CLSID clsid;
  Factory factory;
};

std::mutex& lock() {
  static std::mutex m;
  return m;
}
std::vector<Entry>& entries() {
  static std::vector<Entry> e;
  return e;
}

}  // namespace

void registerClass(const CLSID& clsid, Factory factory) {
  std::lock_guard guard(lock());
  for (Entry& e : entries()) {
    if (IsEqualCLSID(e.clsid, clsid)) {
      e.factory = std::move(factory);
      return;
    }
  }
  entries().push_back(Entry{clsid, std::move(factory)});
}

void unregisterClass(const CLSID& clsid) {
  std::lock_guard guard(lock());
  auto& e = entries();
  for (auto it = e.begin(); it != e.end(); ++it) {
    if (IsEqualCLSID(it->clsid, clsid)) {
      e.erase(it);
      return;
    }
  }
}

Factory registeredFactory(const CLSID& clsid) {
  std::lock_guard guard(lock());
  for (const Entry& e : entries())
    if (IsEqualCLSID(e.clsid, clsid)) return e.factory;
  return nullptr;
}

bool isRegistered(const CLSID& clsid) { return static_cast<bool>(registeredFactory(clsid)); }

Ptr<IUnknown> createInstance(const CLSID& clsid) {
  Factory factory = registeredFactory(clsid);
  if (!factory) throwFailure(REGDB_E_CLASSNOTREG);
  Ptr<IUnknown> object = factory();
  if (!object) throwFailure(E_OUTOFMEMORY);
  return object;
}

CLSID parseClsid(std::wstring_view text) {
  std::wstring copy(text);
  CLSID clsid{};
  if (copy.size() != 38 || FAILED(CLSIDFromString(copy.c_str(), &clsid)))
    throw ui::Error("Invalid class identifier");
  return clsid;
}

ScopedRegistration::ScopedRegistration(const CLSID& clsid, Factory factory)
    : clsid_(clsid), previous_(registeredFactory(clsid)) {
  registerClass(clsid, std::move(factory));
}

ScopedRegistration::~ScopedRegistration() {
  if (previous_)
    registerClass(clsid_, std::move(previous_));
  else
    unregisterClass(clsid_);
}

}  // namespace hosts::com
