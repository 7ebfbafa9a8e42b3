#pragma once
// What a path is filled with: a colour, a gradient or a bitmap.
#include <memory>
#include <variant>

#include "movie/render/bend.h"
#include "movie/value/bitmap.h"
#include "movie/value/color.h"
#include "movie/value/gradient.h"
#include "movie/value/matrix.h"

namespace movie::render {

struct BitmapFill {
  std::shared_ptr<const Bitmap> bitmap;
  Matrix matrix;  // bitmap pixels -> path space
  bool repeat = true;
  bool smooth = true;  // bilinear sampling, honoured at AntiAlias::Full only
  // Null: none. Else matrix places the bitmap in the unbent plane and the path space is
  // the bent one: the bitmap stretches with the bend, piece by piece.
  std::shared_ptr<const Bend> bend;
};

using Paint = std::variant<Color, Gradient, BitmapFill>;

}  // namespace movie::render
