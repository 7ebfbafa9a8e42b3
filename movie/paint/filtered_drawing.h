#pragma once
// Drawing an object with filters: the object is drawn on its own into a layer a little
// larger than the target, cut down to what it covers plus the filters' reach, filtered,
// and put onto the target with its blend mode. The filtered picture is kept in the
// options' filter cache and drawn again from there while the object does not change.
#include <functional>

#include "movie/paint/stage_renderer.h"
#include "movie/render/blend.h"

namespace movie::paint {

// Draws the object, unfiltered, into a layer with (dx, dy) pixels added to its translation.
using DrawInto = std::function<void(render::Surface& layer, float dx, float dy)>;

// placed: the object's matrix on the target; cx: its composed colour transform; snap:
// the picture is drawn with the object's origin moved to the nearest whole pixel.
void drawFiltered(render::Surface& target, const timeline::DisplayObject& obj, const render::Matrix& placed,
                  const render::ColorTransform& cx, render::BlendMode mode, const render::Mask* clip,
                  const RenderOptions& options, bool snap, const DrawInto& draw);

}  // namespace movie::paint
