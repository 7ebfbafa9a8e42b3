#pragma once
// PlaceObject 1-3 and RemoveObject 1-2 bodies.
#include <string>

#include "movie/format/timeline_def.h"

namespace movie::format {

bool parsePlace(uint16_t code, const uint8_t* body, size_t size, int swfVersion, PlaceTag& out,
                std::string& error);
bool parseRemove(uint16_t code, const uint8_t* body, size_t size, RemoveTag& out,
                 std::string& error);

}  // namespace movie::format
