#pragma once
// Pictures as files hold them (PNG, JPEG, GIF), made for tests: a rectangle of one colour.
#include <cstdint>

#include "tools/swf/swf_writer.h"

namespace movie_test {

swf::Bytes pngOf(int width, int height, uint32_t rgb);
swf::Bytes jpegOf(int width, int height, uint32_t rgb);
// One pixel of the colour; gif89 picks the newer version's header.
swf::Bytes gifPixelOf(uint32_t rgb, bool gif89);

}  // namespace movie_test
