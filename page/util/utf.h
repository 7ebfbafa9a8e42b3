#pragma once
// Internal UTF helpers (the public ones are declared in page.h).
#include <string>
#include <string_view>

#include "textcodec/utf8.h"

namespace page {
using textcodec::appendUtf8;
using textcodec::toUtf8;
}  // namespace page
