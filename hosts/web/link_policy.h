#pragma once
// Which link addresses the component hands to the shell: only web addresses, so that a
// page can never start a program or open a local file through a link.
#include <string_view>

namespace hosts::web {

// True when address begins with "http://" or "https://", letters in either case.
bool isWebAddress(std::string_view address);

}  // namespace hosts::web
