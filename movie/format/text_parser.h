#pragma once
// DefineText 1-2 and DefineEditText bodies into text definitions.
#include <cstddef>
#include <cstdint>
#include <string>

#include "movie/format/text_def.h"

namespace movie::format {

// version 1 (RGB colours) or 2 (RGBA). false with a reason when unreadable.
bool parseStaticText(const uint8_t* body, size_t size, int version, StaticTextDef& out, std::string& error);
bool parseEditText(const uint8_t* body, size_t size, int movieVersion, EditTextDef& out, std::string& error);

}  // namespace movie::format
