// Path building: verbs and their points.
#include "movie/render/render.h"

namespace movie::render {

void Path::moveTo(float x, float y) {
  verbs.push_back(MoveTo);
  coords.insert(coords.end(), {x, y});
}

void Path::lineTo(float x, float y) {
  verbs.push_back(LineTo);
  coords.insert(coords.end(), {x, y});
}

void Path::quadTo(float cx, float cy, float x, float y) {
  verbs.push_back(QuadTo);
  coords.insert(coords.end(), {cx, cy, x, y});
}

Path Path::rectangle(float x0, float y0, float x1, float y1) {
  Path p;
  p.moveTo(x0, y0);
  p.lineTo(x1, y0);
  p.lineTo(x1, y1);
  p.lineTo(x0, y1);
  p.lineTo(x0, y0);
  return p;
}

}  // namespace movie::render
