#pragma once
// Hands each tag to its handler. Control tags (frames, the display list, actions, sounds)
// are read on the main timeline and in sprites; definitions only on the main timeline.
// Tags without a handler are skipped by their length.
#include "movie/format/tag.h"
#include "movie/format/tag_context.h"

namespace movie::format {

void dispatchTag(const Tag& tag, TagContext& context);

}  // namespace movie::format
