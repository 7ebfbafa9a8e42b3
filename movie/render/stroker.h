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
// maps every outline polygon through penToDevice: under a non-uniform scale the pen becomes
// the ellipse the map makes of it. Pen space is measured so that penToDevice stretches no
// direction by less than 1: arcs are cut there for the device tolerance, as finely as the
// pen's narrow side needs.
void strokePolylines(const Polylines& lines, double halfWidth, const StrokeStyle& style, Rasterizer& ras,
                     const Linear& penToDevice);

// How much a linear map stretches lengths: least and most, over all directions (its
// singular values).
struct Stretch {
  double least = 0, most = 0;
};
Stretch stretchOf(const Linear& m);

// The linear part of m when it does not scale every direction alike (a non-uniform scale
// or a skew), which an elliptical pen needs; false for rotations and uniform scales.
bool needsEllipticalPen(const Matrix& m, Linear& linear);

// Device width of a stroke under toDevice and the style's scaling mode, before the
// one-pixel minimum.
double deviceStrokeWidth(const StrokeStyle& style, const Matrix& toDevice);

}  // namespace movie::render::detail
