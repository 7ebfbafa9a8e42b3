// DoAction and DoInitAction: script bytes kept for the script layer.
#include "movie/format/tags/handlers.h"
#include "movie/io/bit_reader.h"

namespace movie::format {

void readDoAction(const Tag& tag, TagContext& context) {
  context.pending.actions.emplace_back(tag.body, tag.body + tag.size);
}

void readDoInitAction(const Tag& tag, TagContext& context) {
  io::BitReader r(tag.body, tag.size);
  InitAction a;
  a.spriteId = r.u16();
  a.frame = int(context.timeline.frames.size());
  a.actions.assign(r.cursor(), r.cursor() + r.remaining());
  context.build.movie().initActions.push_back(std::move(a));
}

}  // namespace movie::format
