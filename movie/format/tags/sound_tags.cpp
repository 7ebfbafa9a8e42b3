// Sound tags: DefineSound becomes a character; StartSound and StartSound2 are kept per
// frame for the sound layer; a stream head sets the format of its timeline's stream and
// a stream block belongs to the frame being read.
#include <memory>

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

void readDefineSound(const Tag& tag, TagContext& context) {
  auto sound = std::make_shared<SoundDef>();
  std::string why;
  if (!parseDefineSound(tag.body, tag.size, *sound, why)) return context.build.warn(why);
  Character c;
  c.kind = Character::Sound;
  const uint16_t id = sound->id;
  c.sound = std::move(sound);
  context.build.addCharacter(id, std::move(c));
}

void readSoundStreamHead(const Tag& tag, TagContext& context) {
  StreamHead head;
  std::string why;
  if (!parseStreamHead(tag.body, tag.size, head, why)) return context.build.warn(why);
  context.timeline.streamHead = head;
}

void readSoundStreamBlock(const Tag& tag, TagContext& context) {
  context.pending.streamBlock.emplace(tag.body, tag.body + tag.size);
}

}  // namespace movie::format
