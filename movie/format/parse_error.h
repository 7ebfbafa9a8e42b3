#pragma once
// Parsers report why they stopped through an error string and a false result.
#include <string>

namespace movie::format {

inline bool fail(std::string& error, const char* why) {
  error = why;
  return false;
}

}  // namespace movie::format
