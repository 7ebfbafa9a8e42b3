#include "movie/render/bend.h"

namespace movie::render {

double Bend::Axis::unbend(double v) const {
  // The piece holding v; below the first knot the first piece of some length continues,
  // above the last the last one.
  int piece = -1;
  for (int k = 0; k < 3; ++k) {
    if (!(to[k + 1] > to[k])) continue;
    if (piece < 0 || v >= to[k]) piece = k;
  }
  if (piece < 0) return from[0] + (v - to[0]);  // every piece squeezed: a plain move
  double t = (v - to[piece]) / (double(to[piece + 1]) - to[piece]);
  return from[piece] + t * (double(from[piece + 1]) - from[piece]);
}

}  // namespace movie::render
