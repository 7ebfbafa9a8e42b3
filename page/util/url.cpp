// Relative reference resolution (scheme, authority, path with dot segments, query).
#include "page/util/url.h"

#include <cctype>
#include <vector>

#include "page/util/strings.h"

namespace page {
namespace {

// Removes "." and ".." segments of an absolute path.
std::string normalisePath(std::string_view path) {
  std::vector<std::string_view> out;
  size_t i = 0;
  bool trailing = false;
  while (i <= path.size()) {
    size_t slash = path.find('/', i);
    if (slash == std::string_view::npos) slash = path.size();
    std::string_view seg = path.substr(i, slash - i);
    trailing = false;
    if (seg == "..") {
      if (!out.empty()) out.pop_back();
      trailing = true;
    } else if (seg == ".") {
      trailing = true;
    } else if (!seg.empty() || slash == path.size()) {
      if (!(seg.empty() && i == 0)) out.push_back(seg);
    }
    i = slash + 1;
  }
  std::string result;
  for (auto seg : out) {
    result += '/';
    result += seg;
  }
  if (trailing || result.empty()) result += '/';
  return result;
}

}  // namespace

std::string urlScheme(std::string_view url) {
  size_t i = 0;
  while (i < url.size() && (std::isalnum(static_cast<unsigned char>(url[i])) || url[i] == '+' || url[i] == '-' ||
                            url[i] == '.'))
    ++i;
  if (i == 0 || i >= url.size() || url[i] != ':' || !std::isalpha(static_cast<unsigned char>(url[0]))) return {};
  return lowerAscii(url.substr(0, i));
}

bool isFetchable(std::string_view url) {
  std::string s = urlScheme(url);
  return s == "http" || s == "https" || s == "file";
}

namespace {
bool startsWithNoCase(std::string_view text, std::string_view lowerPrefix) {
  if (text.size() < lowerPrefix.size()) return false;
  for (size_t i = 0; i < lowerPrefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != lowerPrefix[i]) return false;
  }
  return true;
}
}  // namespace

bool isWebAddress(std::string_view url) {
  return startsWithNoCase(url, "http://") || startsWithNoCase(url, "https://");
}

std::string resolveUrl(std::string_view base, std::string_view refIn) {
  std::string ref;
  for (char c : trim(refIn))
    if (c != '\n' && c != '\r' && c != '\t') ref += (c == '\\') ? '/' : c;
  if (!urlScheme(ref).empty()) return ref;
  std::string scheme = urlScheme(base);
  if (scheme.empty()) return ref;
  // Split the base: scheme ':' ['//' authority] path ['?' query] ['#' fragment].
  std::string_view rest = base.substr(scheme.size() + 1);
  std::string authority;
  bool hasAuthority = rest.substr(0, 2) == "//";
  if (hasAuthority) {
    rest.remove_prefix(2);
    size_t end = rest.find_first_of("/?#");
    if (end == std::string_view::npos) end = rest.size();
    authority = rest.substr(0, end);
    rest.remove_prefix(end);
  }
  std::string_view basePath = rest.substr(0, rest.find_first_of("?#"));
  std::string_view baseQuery;
  if (size_t q = rest.find('?'); q != std::string_view::npos)
    baseQuery = rest.substr(q, rest.find('#', q) - q);
  std::string prefix = scheme + ":" + (hasAuthority ? "//" + authority : "");
  if (ref.empty()) return prefix + std::string(basePath) + std::string(baseQuery);
  if (ref.substr(0, 2) == "//") return scheme + ":" + ref;
  if (ref[0] == '#') return prefix + std::string(basePath) + std::string(baseQuery) + ref;
  if (ref[0] == '?') return prefix + std::string(basePath.empty() ? "/" : basePath) + ref;
  std::string_view refPath = std::string_view(ref).substr(0, ref.find_first_of("?#"));
  std::string tail = ref.substr(refPath.size());
  std::string path;
  if (refPath.size() && refPath[0] == '/') {
    path = std::string(refPath);
  } else {
    size_t slash = basePath.rfind('/');
    path = (slash == std::string_view::npos ? std::string("/") : std::string(basePath.substr(0, slash + 1))) +
           std::string(refPath);
  }
  return prefix + normalisePath(path) + tail;
}

}  // namespace page
