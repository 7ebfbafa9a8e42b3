#pragma once
// Stroke outlines: every segment, join and cap of a device-space polyline becomes its own
// small polygon, all wound the same way, so that filling them NonZero draws their union.
#include "movie/render/geometry.h"
#include "movie/render/rasterizer.h"
#include "movie/render/render.h"

namespace movie::render::detail {

// A linear map (no translation): x' = a*x + c*y, y' = b*x + d*y.
struct Linear {
  double a = 1, b = 0, c = 0, d = 1;
};

// halfWidth is in device pixels. A subpath whose last point equals its first is closed
// (joined, no caps) unless style.noClose.
void strokePolylines(const Polylines& lines, double halfWidth, const StrokeStyle& style, Rasterizer& ras);

// Strokes polylines given in pen space, where the pen is a circle of radius halfWidth, and
// maps every outline polygon through toDevice: under a non-uniform scale the pen becomes
// the ellipse the path's own outline is scaled by. Arcs are cut for a chord error in
// device pixels; deviceRadius is the largest device radius of the pen.
void strokePolylines(const Polylines& lines, double halfWidth, const StrokeStyle& style, Rasterizer& ras,
                     const Linear& toDevice, double deviceRadius);

// The linear part of m when it does not scale every direction alike (a non-uniform scale
// or a skew), which an elliptical pen needs; false for rotations and uniform scales.
bool needsEllipticalPen(const Matrix& m, Linear& linear);

// Device width of a stroke under toDevice and the style's scaling mode, before the
// one-pixel minimum.
double deviceStrokeWidth(const StrokeStyle& style, const Matrix& toDevice);

}  // namespace movie::render::detail
