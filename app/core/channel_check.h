#pragma once
// The channel command opens only web addresses: anything else named in web.dat (a program,
// a local file, an empty line) is never handed to the shell.
#include <string_view>

// True when `address` begins with "http://" or "https://", letters in either case.
bool IsWebAddress(std::string_view address);
