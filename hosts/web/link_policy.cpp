#include "hosts/web/link_policy.h"

namespace hosts::web {

namespace {
bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}
}  // namespace

bool isWebAddress(std::string_view address) {
  return startsWithNoCase(address, "http://") || startsWithNoCase(address, "https://");
}

}  // namespace hosts::web
