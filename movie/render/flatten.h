#pragma once
// Paths to device-space polylines: points transformed, quadratic curves cut into chords
// fine enough that no chord strays more than a tenth of a pixel from its curve.
#include "movie/render/geometry.h"
#include "movie/render/render.h"

namespace movie::render::detail {

// Curves whose control polygon lies wholly outside `cull` become their chord: outside the
// target only the crossing count matters, and that is the chord's.
void flattenPath(const Path& path, const Matrix& toDevice, const Box& cull, Polylines& out);

// Chords for one curve, never more than this many (hostile sizes stay bounded).
constexpr int kMaxCurveSteps = 200;

}  // namespace movie::render::detail
