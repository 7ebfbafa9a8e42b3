#pragma once
// The basic records of the file format read into the drawing layer's types.
#include "movie/io/bit_reader.h"
#include "movie/render/render.h"

namespace movie::format {

struct Rect {
  int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;  // twips
};

Rect readRect(io::BitReader& r);
render::Matrix readMatrix(io::BitReader& r);
render::ColorTransform readColorTransform(io::BitReader& r, bool withAlpha);
render::Color readRgb(io::BitReader& r);
render::Color readRgba(io::BitReader& r);

}  // namespace movie::format
