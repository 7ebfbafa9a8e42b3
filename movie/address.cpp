#include "movie/address.h"

#include <cctype>
#include <vector>

namespace movie {
namespace {

// The scheme of an address ("http"), lower case, or empty when it has none.
std::string schemeOf(const std::string& a) {
  size_t colon = a.find(':');
  if (colon == std::string::npos || colon == 0) return {};
  std::string out;
  for (size_t i = 0; i < colon; ++i) {
    char c = a[i];
    bool ok = std::isalpha(uint8_t(c)) || (i > 0 && (std::isdigit(uint8_t(c)) || c == '+' || c == '-' || c == '.'));
    if (!ok) return {};
    out += char(std::tolower(uint8_t(c)));
  }
  return out;
}

// "/a/./b/../c" as "/a/c"; a query or fragment after the path is kept as it is.
std::string normalizePath(const std::string& path) {
  size_t tail = path.find_first_of("?#");
  std::string rest = tail == std::string::npos ? "" : path.substr(tail);
  std::string p = path.substr(0, tail);
  std::vector<std::string> parts;
  size_t pos = 1;  // p starts with '/'
  while (pos <= p.size()) {
    size_t next = p.find('/', pos);
    if (next == std::string::npos) next = p.size();
    std::string seg = p.substr(pos, next - pos);
    bool last = next == p.size();
    if (seg == "..") {
      if (!parts.empty()) parts.pop_back();
      if (last) parts.push_back("");
    } else if (seg == ".") {
      if (last) parts.push_back("");
    } else {
      parts.push_back(seg);
    }
    pos = next + 1;
  }
  std::string out;
  for (const std::string& s : parts) out += "/" + s;
  return (out.empty() ? "/" : out) + rest;
}

}  // namespace

std::string resolveAddress(const std::string& base, const std::string& ref) {
  std::string result;
  std::string scheme = schemeOf(ref);
  if (!scheme.empty()) {
    result = ref;
  } else {
    std::string baseScheme = schemeOf(base);
    if (baseScheme.empty() || base.compare(baseScheme.size(), 3, "://") != 0) return {};
    size_t hostStart = baseScheme.size() + 3;
    size_t pathStart = base.find_first_of("/?#", hostStart);
    if (pathStart == std::string::npos) pathStart = base.size();
    std::string origin = base.substr(0, pathStart);
    if (ref.rfind("//", 0) == 0) {
      result = baseScheme + ":" + ref;
    } else if (!ref.empty() && ref[0] == '/') {
      result = origin + normalizePath(ref);
    } else {
      std::string path = base.substr(pathStart);
      path = path.substr(0, path.find_first_of("?#"));
      if (path.empty()) path = "/";
      std::string dir = path.substr(0, path.rfind('/') + 1);
      if (!ref.empty() && (ref[0] == '?' || ref[0] == '#')) result = origin + path + ref;
      else result = origin + normalizePath(dir + ref);
    }
    scheme = baseScheme;
  }
  if (scheme != "http" && scheme != "https") return {};
  // The address must name a host.
  size_t hostStart = scheme.size() + 3;
  if (result.compare(scheme.size(), 3, "://") != 0 || hostStart >= result.size() || result[hostStart] == '/')
    return {};
  return result;
}

}  // namespace movie
