#pragma once
// An axis-aligned rectangle as a closed path, for boxes and clips the stage draws.
#include "movie/render/render.h"

namespace movie::paint {

inline render::Path rectanglePath(float x0, float y0, float x1, float y1) {
  render::Path p;
  p.moveTo(x0, y0);
  p.lineTo(x1, y0);
  p.lineTo(x1, y1);
  p.lineTo(x0, y1);
  p.lineTo(x0, y0);
  return p;
}

}  // namespace movie::paint
