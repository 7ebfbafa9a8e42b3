#pragma once
// Stroke outlines: every segment, join and cap of a device-space polyline becomes its own
// small polygon, all wound the same way, so that filling them NonZero draws their union.
#include "movie/render/geometry.h"
#include "movie/render/rasterizer.h"
#include "movie/render/render.h"

namespace movie::render::detail {

// halfWidth is in device pixels. A subpath whose last point equals its first is closed
// (joined, no caps) unless style.noClose.
void strokePolylines(const Polylines& lines, double halfWidth, const StrokeStyle& style, Rasterizer& ras);

// Device width of a stroke under toDevice and the style's scaling mode, before the
// one-pixel minimum.
double deviceStrokeWidth(const StrokeStyle& style, const Matrix& toDevice);

}  // namespace movie::render::detail
