#pragma once
// Absolute addresses: resolving a page's relative references against its base.
#include <string>
#include <string_view>

namespace page {

// Resolves `ref` against the absolute `base` (scheme://host[:port]/path...). An absolute
// ref is returned as is (backslashes turned into slashes, spaces trimmed).
std::string resolveUrl(std::string_view base, std::string_view ref);
// Lower-case scheme of an absolute address ("http"), empty when there is none.
std::string urlScheme(std::string_view url);
// Whether the host may fetch it: http, https or file.
bool isFetchable(std::string_view url);

}  // namespace page
