#pragma once
// Drawing an object with filters: the object is drawn on its own into a layer a little
// larger than the target, cut down to what it covers plus the filters' reach, filtered,
// and put onto the target with its blend mode. The filtered picture is kept in the
// options' filter cache and drawn again from there while the object does not change.
#include <functional>

#include "movie/paint/stage_renderer.h"
#include "movie/render/blend.h"

namespace movie::paint {

// Draws the object, unfiltered and without its colour transform, into a layer with (dx, dy)
// pixels added to its translation.
using DrawInto = std::function<void(render::Surface& layer, float dx, float dy)>;

// How far (sx, sy) in pixels the object moves when drawn as a bitmap of its own, as filters
// and cacheAsBitmap draw it. The bitmap starts the filters' margin before the top left
// corner of the object's bounds, rounded to the nearest whole pixel (half-way away from
// zero), and the object keeps its whole margin from there; without filters the corner
// itself is rounded. scale: view pixels per stage pixel.
void snapShift(const timeline::DisplayObject& obj, const render::Matrix& device, float scale, float& sx, float& sy);

// device: the object's matrix on the target; cx: its composed colour transform.
void drawFiltered(render::Surface& target, const timeline::DisplayObject& obj, const render::Matrix& device,
                  const render::ColorTransform& cx, render::BlendMode mode, const render::Mask* clip,
                  const RenderOptions& options, const DrawInto& draw);

}  // namespace movie::paint
