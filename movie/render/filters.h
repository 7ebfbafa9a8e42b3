#pragma once
// Filters on a layer (an object drawn on its own, premultiplied): blur, drop shadow,
// glow, bevel, gradient glow, gradient bevel, colour matrix and convolution. Distances in
// the filter are stage pixels that scale turns into layer pixels; blur amounts are layer
// pixels whatever the view's scale. Work is bounded whatever the parameters say.
#include "movie/render/render.h"
#include "movie/value/filter.h"

namespace movie::render {

void applyFilter(Surface& layer, const Filter& filter, float scale);

// Box blurs for the amounts width x height (odd boxes: amount / 2 whole pixels either side),
// passes times (at most 15).
void blurSurface(Surface& layer, float width, float height, int passes);

// How many layer pixels beyond the object the filter's effect can reach (bounded): the
// margin a layer needs around the object for the effect to be whole.
int filterReach(const Filter& filter, float scale);

// How many whole layer pixels before the object's bounds, along x (vertical: along y), the
// filter's bitmap starts: its blur amount once per pass plus its offset (bounded).
int filterMargin(const Filter& filter, float scale, bool vertical);

// Bevels, gradient glows and gradient bevels.
void bevel(Surface& layer, const Filter& filter, float scale);
void gradientGlow(Surface& layer, const Filter& filter, float scale);
void convolve(Surface& layer, const Filter& filter);

}  // namespace movie::render
