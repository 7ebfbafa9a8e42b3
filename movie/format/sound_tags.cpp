#include "movie/format/sound_tags.h"

#include <memory>

#include "movie/format/tag_codes.h"

namespace movie::format {

bool readStreamTag(uint16_t code, const uint8_t* body, size_t size, Timeline& timeline, Frame& pending,
                   std::string& why) {
  if (code == kSoundStreamBlock) {
    pending.streamBlock.emplace(body, body + size);
    return true;
  }
  StreamHead head;
  if (!parseStreamHead(body, size, head, why)) return false;
  timeline.streamHead = head;
  return true;
}

bool readDefineSound(const uint8_t* body, size_t size, uint16_t& id, Character& out, std::string& why) {
  auto sound = std::make_shared<SoundDef>();
  if (!parseDefineSound(body, size, *sound, why)) return false;
  id = sound->id;
  out.kind = Character::Sound;
  out.sound = std::move(sound);
  return true;
}

}  // namespace movie::format
