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

}  // namespace movie::render
