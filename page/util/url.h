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
// Whether it may be handed to the user's web browser: it begins with "http://" or
// "https://", letters in either case. Anything else (a program, a local file, a script
// address, an empty text) could start or open something on the machine.
bool isWebAddress(std::string_view url);

}  // namespace page
