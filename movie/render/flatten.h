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

// The cut for a quality's edges. Aliased edges are spaced by the bend, unrounded, which is
// where the corpus references put the edges of fills, masks and objects drawn into a
// bitmap of their own (filters, cached as a bitmap). Aliased strokes drawn straight onto
// the stage are the exception (pointsOnTwips): there the references agree with even steps
// whose inner points are rounded to a twentieth of a pixel (the twip grid at unit scale),
// ignoring the view's tie shift, so that a point halfway between twips goes the way it
// would unshifted. Anti-aliased edges take even steps: finer or coarser cuts match the
// references worse.
CurveCut curveCut(AntiAlias aa, bool pointsOnTwips);

// Curves whose control polygon lies wholly outside `cull` become their chord: outside the
// target only the crossing count matters, and that is the chord's.
void flattenPath(const Path& path, const Matrix& toDevice, const Box& cull, Polylines& out,
                 const CurveCut& cut = {});

// Chords for one curve, never more than this many (hostile sizes stay bounded).
constexpr int kMaxCurveSteps = 200;

}  // namespace movie::render::detail
