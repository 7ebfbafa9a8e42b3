// The framework's exception. Its text is GBK (ASCII-compatible) so that the
// standard error box can widen it like every other text of the program.
#pragma once
#include <stdexcept>
#include <string>

namespace ui {

struct Error : std::runtime_error {
  explicit Error(const std::string& gbkText) : std::runtime_error(gbkText) {}
};

}  // namespace ui
