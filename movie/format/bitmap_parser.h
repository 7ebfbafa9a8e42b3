#pragma once
// The bitmap definition tags: DefineBits (with the movie's JPEG tables), DefineBitsJPEG2,
// 3 and 4 (JPEG, PNG or GIF data, 3 and 4 with a zlib alpha plane) and
// DefineBitsLossless 1 and 2 (colour-mapped, 15-bit and 32-bit pixels).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "movie/value/bitmap.h"

namespace movie::format {

// code is the tag code; jpegTables the body of the movie's JPEGTables tag (may be empty).
// Returns null with a reason when the bitmap cannot be decoded; id is set when readable.
std::shared_ptr<Bitmap> parseBitmap(uint16_t code, const uint8_t* body, size_t size,
                                            const std::vector<uint8_t>& jpegTables,
                                            uint16_t& id, std::string& error);

}  // namespace movie::format
