#pragma once
// The program's built-in web page component, answering the web browser class identifier:
// Navigate, Refresh, Document, LocationURL and Busy by name or by their usual dispatch
// identifiers, and the document-complete event (259) for every completed document,
// sub-documents first. The page itself lives in a PageView window made inside the host.
#include <functional>
#include <memory>
#include <string>

#include "hosts/com/ptr.h"

namespace hosts::web {

inline constexpr DISPID kDispNavigate = 104;
inline constexpr DISPID kDispRefresh = -550;  // DISPID_REFRESH
inline constexpr DISPID kDispDocument = 203;
inline constexpr DISPID kDispLocationUrl = 211;
inline constexpr DISPID kDispBusy = 212;
inline constexpr DISPID kDispDocumentComplete = 259;

struct WebPageOptions {
  // Opens a web address in the user's browser; the default is ShellExecuteW "open".
  std::function<void(const std::wstring&)> openLink;
};

// A new component object (its first reference handed over).
com::Ptr<IUnknown> makeWebPageComponent(WebPageOptions options = {});
// Registers the component under the web browser class identifier.
void registerWebPageClass(WebPageOptions options = {});

}  // namespace hosts::web
