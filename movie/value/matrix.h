#pragma once
// An affine matrix in the movie file's layout.

namespace movie {

// x' = a*x + c*y + tx, y' = b*x + d*y + ty (the movie file's scale, skew and translate).
struct Matrix {
  float a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
  Matrix then(const Matrix& outer) const;  // this first, then outer
  Matrix inverted() const;                 // identity when singular
};

}  // namespace movie
