#pragma once
// Paths to device-space polylines: points transformed, quadratic curves cut into chords
// that stray no more than a given distance (device pixels) from their curve.
#include "movie/render/geometry.h"
#include "movie/render/render.h"

namespace movie::render::detail {

constexpr double kCurveTolerance = 0.1;  // device pixels

// How a curve is cut into chords.
struct CurveCut {
  double tolerance = kCurveTolerance;  // how far (device pixels) a chord may stray
  double grid = 0;                     // > 0: points inside a curve rounded to this grid
  // false: chord points at even steps of the curve's parameter. true: spaced by how the
  // curve bends (the parabola's integral of the square root of its curvature), so a
  // curve that bends at one end gets its points there and fewer chords in all.
  bool bendSpaced = false;
};

// The cut for a quality's edges. Aliased edges of shapes drawn straight onto the stage
// take even steps and round the points inside curves to a twentieth of a pixel (the twip
// grid at unit scale), ignoring the view's tie shift: where a chord passes a pixel centre
// by a hair, the corpus references decide as the rounded chord does, and a point halfway
// between twips goes the way it would unshifted. Aliased edges of masks and of objects
// drawn into a bitmap of their own (filters, cached as a bitmap) are spaced by the bend,
// unrounded, which is where the references put those edges. Anti-aliased edges take even
// steps: finer or coarser cuts match the references worse.
CurveCut curveCut(AntiAlias aa, bool pointsOnTwips);

// Curves whose control polygon lies wholly outside `cull` become their chord: outside the
// target only the crossing count matters, and that is the chord's.
void flattenPath(const Path& path, const Matrix& toDevice, const Box& cull, Polylines& out,
                 const CurveCut& cut = {});

// Chords for one curve, never more than this many (hostile sizes stay bounded).
constexpr int kMaxCurveSteps = 200;

}  // namespace movie::render::detail
