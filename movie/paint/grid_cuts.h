#pragma once
// Cutting paths where they cross a scaling grid's lines, so that each piece lies within
// one band of each axis and a per-band stretch can be applied to it exactly.
#include <array>
#include <functional>

#include "movie/render/render.h"

namespace movie::paint {

// One verb of a cut path: its points (one for MoveTo and LineTo, control point then end
// for QuadTo) and a point in its middle, which names the bands it lies in.
struct GridPiece {
  render::Path::Verb verb = render::Path::MoveTo;
  std::array<float, 4> points{};
  float middleX = 0, middleY = 0;
};

render::Path transformed(const render::Path& path, const Matrix& m);
// Calls visit for each piece of the path cut at x = xs[i] and y = ys[i], in order.
void forEachGridPiece(const render::Path& path, std::array<float, 2> xs, std::array<float, 2> ys,
                      const std::function<void(const GridPiece&)>& visit);

}  // namespace movie::paint
