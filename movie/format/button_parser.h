#pragma once
// DefineButton and DefineButton2 bodies.
#include <cstddef>
#include <cstdint>
#include <string>

#include "movie/format/button_def.h"

namespace movie::format {

// code: kDefineButton or kDefineButton2. A damaged action list keeps the actions before
// it; damaged state records fail the whole button (error says why).
bool parseButton(uint16_t code, const uint8_t* body, size_t size, ButtonDef& out, std::string& error);

}  // namespace movie::format
