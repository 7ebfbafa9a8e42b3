// StartSound and StartSound2: sounds started by a frame, kept for the sound layer.
#include "movie/format/tag_codes.h"
#include "movie/format/tags/handlers.h"
#include "movie/io/bit_reader.h"

namespace movie::format {

void readStartSound(const Tag& tag, TagContext& context) {
  io::BitReader r(tag.body, tag.size);
  SoundRef s;
  s.soundId = tag.code == kStartSound ? r.u16() : 0;
  s.info.assign(r.cursor(), r.cursor() + r.remaining());
  context.pending.sounds.push_back(std::move(s));
}

}  // namespace movie::format
