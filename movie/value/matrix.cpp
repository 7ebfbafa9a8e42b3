// Affine matrices in the movie file's layout (a, b, c, d, tx, ty).
#include <cmath>

#include "movie/value/matrix.h"

namespace movie {

Matrix Matrix::then(const Matrix& o) const {
  Matrix r;
  r.a = o.a * a + o.c * b;
  r.b = o.b * a + o.d * b;
  r.c = o.a * c + o.c * d;
  r.d = o.b * c + o.d * d;
  r.tx = o.a * tx + o.c * ty + o.tx;
  r.ty = o.b * tx + o.d * ty + o.ty;
  return r;
}

Matrix Matrix::inverted() const {
  double det = double(a) * d - double(b) * c;
  if (det == 0 || !std::isfinite(det)) return Matrix{};
  Matrix r;
  r.a = float(d / det);
  r.b = float(-b / det);
  r.c = float(-c / det);
  r.d = float(a / det);
  r.tx = float(-(double(r.a) * tx + double(r.c) * ty));
  r.ty = float(-(double(r.b) * tx + double(r.d) * ty));
  return r;
}

}  // namespace movie
