#pragma once
// A bend of the plane along each axis: a piecewise-linear map per axis through four
// knots, continued beyond the end knots by the end pieces. A nine-slice grid bends the
// shapes it stretches this way; a bitmap fill under it is placed before the bend and
// stretched band by band with them.
#include <array>

namespace movie::render {

struct Bend {
  struct Axis {
    // Knot k takes the unbent coordinate from[k] to the bent coordinate to[k]; both rise
    // (pieces of zero length are allowed).
    std::array<float, 4> from{0, 1, 2, 3}, to{0, 1, 2, 3};
    // The unbent coordinate of a bent one (within a piece squeezed to nothing: its start).
    double unbend(double v) const;
  };
  Axis x, y;
};

}  // namespace movie::render
