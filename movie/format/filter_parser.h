#pragma once
// The filter list of a PlaceObject3 tag.
#include <vector>

#include "movie/io/bit_reader.h"
#include "movie/value/filter.h"

namespace movie::format {

// Reads the count and the filters; false (out unchanged past what was whole) on damage.
bool readFilters(io::BitReader& r, std::vector<Filter>& out);

}  // namespace movie::format
