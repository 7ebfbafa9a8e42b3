#pragma once
// Paths to device-space polylines: points transformed, quadratic curves cut into chords
// that stray no more than a given distance (device pixels) from their curve.
#include "movie/render/geometry.h"
#include "movie/render/render.h"

namespace movie::render::detail {

constexpr double kCurveTolerance = 0.1;  // device pixels

// Curves whose control polygon lies wholly outside `cull` become their chord: outside the
// target only the crossing count matters, and that is the chord's.
// grid > 0: the points inside a curve are rounded to that grid (device pixels).
void flattenPath(const Path& path, const Matrix& toDevice, const Box& cull, Polylines& out,
                 double tolerance = kCurveTolerance, double grid = 0);

// The chord error for a quality. Both are a tenth of a pixel today: for aliased edges
// both finer and coarser cuts match the corpus reference images worse; anti-aliased
// edges may be cut finer at some speed cost.
double curveTolerance(AntiAlias aa);

// Aliased edges round the points inside curves to a twentieth of a pixel (the twip grid
// at unit scale), ignoring the view's tie shift: where a chord passes a pixel centre by a
// hair, the corpus references decide as the rounded chord does, and a point halfway
// between twips goes the way it would unshifted.
// Shapes drawn as masks or into an object's own bitmap (filters, cached as a bitmap) are
// the exception: their aliased outlines keep the points inside curves unrounded, which is
// where the corpus references put their edges (a circle mask's rim differs from the
// rounded chords at a few pixels, by less than a hundredth of a pixel).
constexpr double kAliasedChordGrid = 1.0 / 20;
constexpr double kNoChordGrid = 0;
double chordGrid(AntiAlias aa);

// Chords for one curve, never more than this many (hostile sizes stay bounded).
constexpr int kMaxCurveSteps = 200;

}  // namespace movie::render::detail
