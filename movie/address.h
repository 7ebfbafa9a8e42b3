#pragma once
// Addresses a movie's scripts name, resolved against the movie's own address.
#include <string>

namespace movie {

// The absolute address ref names relative to base (an absolute address): scheme, host
// and path are taken from base as far as ref leaves them out, and "." and ".." segments
// are resolved. Empty unless the result is an http or https address.
std::string resolveAddress(const std::string& base, const std::string& ref);

}  // namespace movie
