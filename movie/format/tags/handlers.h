#pragma once
// The tag handlers, declared from the tag list.
#include "movie/format/tag.h"
#include "movie/format/tag_context.h"

namespace movie::format {

#define TAG(code, scope, handler) void handler(const Tag& tag, TagContext& context);
#include "movie/format/tags/tag_list.h"
#undef TAG

}  // namespace movie::format
