#pragma once
// Filters on a layer (an object drawn on its own, premultiplied): blur, drop shadow, glow
// and colour matrix. Sizes in the filter are stage pixels; scale turns them into layer
// pixels. Work is bounded whatever the parameters say.
#include "movie/render/render.h"
#include "movie/value/filter.h"

namespace movie::render {

void applyFilter(Surface& layer, const Filter& filter, float scale);

// Box blurs of about width x height pixels, passes times (at most 15).
void blurSurface(Surface& layer, float width, float height, int passes);

}  // namespace movie::render
