#include "hosts/com/embedding.h"

#include "hosts/com/text.h"

namespace hosts::com {

void PropertyBag::set(std::wstring name, std::wstring value) {
  for (auto& [n, v] : items_) {
    if (sameName(n, name)) {
      v = std::move(value);
      return;
    }
  }
  items_.emplace_back(std::move(name), std::move(value));
}

const std::wstring* PropertyBag::find(std::wstring_view name) const {
  for (const auto& [n, v] : items_)
    if (sameName(n, name)) return &v;
  return nullptr;
}

std::wstring PropertyBag::text(std::wstring_view name, std::wstring_view fallback) const {
  const std::wstring* v = find(name);
  return v ? *v : std::wstring(fallback);
}

bool PropertyBag::flag(std::wstring_view name, bool fallback) const {
  const std::wstring* v = find(name);
  if (!v) return fallback;
  if (sameName(*v, L"true") || *v == L"-1" || *v == L"1") return true;
  if (sameName(*v, L"false") || *v == L"0") return false;
  return fallback;
}

}  // namespace hosts::com
