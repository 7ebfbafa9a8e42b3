#pragma once
// The drawing layer of the movie engine: paths, paints and an anti-aliased scanline
// rasterizer over a premultiplied 32-bit surface. It knows nothing of the file format.
#include "movie/render/draw_state.h"
#include "movie/render/fill_paint.h"
#include "movie/render/mask.h"
#include "movie/render/path.h"
#include "movie/render/surface.h"
#include "movie/value/stroke_style.h"

namespace movie::render {

// The shared value types, also under the drawing layer's own names.
using movie::Bitmap;
using movie::Cap;
using movie::Color;
using movie::ColorTransform;
using movie::Gradient;
using movie::GradientStop;
using movie::Interpolation;
using movie::Join;
using movie::Matrix;
using movie::Spread;
using movie::StrokeScaling;
using movie::StrokeStyle;

void fillPath(Surface& target, const Path& path, const Paint& paint, FillRule rule, const DrawState& state);
void strokePath(Surface& target, const Path& path, const StrokeStyle& style, const Paint& paint, const DrawState& state);
// Adds the path's coverage to a mask (union within one mask).
void fillMask(Mask& mask, const Path& path, FillRule rule, const Matrix& toDevice, AntiAlias aa);
// Adds the stroke's outline to a mask, as strokePath would cover it.
void strokeMask(Mask& mask, const Path& path, const StrokeStyle& style, const Matrix& toDevice, AntiAlias aa);

}  // namespace movie::render
