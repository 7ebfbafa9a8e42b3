#pragma once
// The basic records of the file format read into the shared value types.
#include "movie/io/bit_reader.h"
#include "movie/value/color.h"
#include "movie/value/color_transform.h"
#include "movie/value/matrix.h"

namespace movie::format {

struct Rect {
  int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;  // twips
};

Rect readRect(io::BitReader& r);
Matrix readMatrix(io::BitReader& r);
ColorTransform readColorTransform(io::BitReader& r, bool withAlpha);
Color readRgb(io::BitReader& r);
Color readRgba(io::BitReader& r);

}  // namespace movie::format
