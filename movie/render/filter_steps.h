#pragma once
// Steps that several filters share: an object's alpha as a plane to blur, moving it,
// and putting an effect together with the object it came from.
#include "movie/render/render.h"
#include "movie/value/filter.h"

namespace movie::render::detail {

// Where a filter's effect goes: behind the object (outer), inside its shape (inner), or
// over the whole of it (a full bevel, "on top").
enum class EffectPlace { Behind, Inside, OnTop };

EffectPlace effectPlaceOf(const Filter& f);

// The layer's alpha (inverted: its complement) in every channel of a new surface,
// blurred by the filter's box size and passes.
Surface blurredAlpha(const Surface& layer, const Filter& f, bool invert);

// Every channel times strength, clamped: a strength above 1 makes a blurred edge denser.
void strengthen(Surface& s, float strength);

// The surface moved by (dx, dy) pixels, rounded; what moves in from outside is clear.
Surface shifted(const Surface& s, float dx, float dy);

// The filter's offset, distance along angle, in layer pixels (bounded).
void offsetOf(const Filter& f, float scale, float& dx, float& dy);

// Puts a premultiplied effect and the layer together as the filter's place, knockout and
// composite-source flags ask.
void combine(Surface& layer, const Surface& effect, const Filter& f);

}  // namespace movie::render::detail
