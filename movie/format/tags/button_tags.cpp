// DefineButton, DefineButton2 and the two tags that add to an earlier button: its colour
// transform and its sounds.
#include <memory>

#include "movie/format/button_parser.h"
#include "movie/format/records.h"
#include "movie/format/tags/handlers.h"

namespace movie::format {
namespace {

// A copy of the button defined as id, to change and put back; null when there is none.
std::shared_ptr<ButtonDef> editableButton(TagContext& context, uint16_t id) {
  auto& characters = context.build.movie().characters;
  auto it = characters.find(id);
  if (it == characters.end() || it->second.kind != Character::Button || !it->second.button) return nullptr;
  return std::make_shared<ButtonDef>(*it->second.button);
}

void replaceButton(TagContext& context, std::shared_ptr<ButtonDef> button) {
  Character& c = context.build.movie().characters[button->id];
  c.button = std::move(button);
}

}  // namespace

void readDefineButton(const Tag& tag, TagContext& context) {
  auto button = std::make_shared<ButtonDef>();
  std::string why;
  if (!parseButton(tag.code, tag.body, tag.size, *button, why)) return context.build.warn(why);
  Character c;
  c.kind = Character::Button;
  c.button = button;
  context.build.addCharacter(button->id, std::move(c));
}

void readDefineButtonCxform(const Tag& tag, TagContext& context) {
  io::BitReader r(tag.body, tag.size);
  uint16_t id = r.u16();
  ColorTransform cx = readColorTransform(r, false);
  if (r.overrun()) return context.build.warn("A button colour tag is truncated.");
  auto button = editableButton(context, id);
  if (!button) return;
  for (Frame& state : button->states.frames)
    for (ControlTag& tag : state.tags)
      if (auto* place = std::get_if<PlaceTag>(&tag)) place->colorTransform = cx;
  replaceButton(context, std::move(button));
}

void readDefineButtonSound(const Tag& tag, TagContext& context) {
  io::BitReader r(tag.body, tag.size);
  auto button = editableButton(context, r.u16());
  if (!button) return;
  for (SoundRef& sound : button->sounds) {
    sound = {};
    sound.soundId = r.u16();
    if (!sound.soundId || r.overrun()) continue;
    // The sound-info record, kept whole: flags, then the parts they announce.
    const uint8_t* info = r.cursor();
    uint8_t flags = r.u8();
    if (flags & 0x01) r.skip(4);
    if (flags & 0x02) r.skip(4);
    if (flags & 0x04) r.skip(2);
    if (flags & 0x08) r.skip(size_t(r.u8()) * 8);
    if (!r.overrun()) sound.info.assign(info, r.cursor());
  }
  if (r.overrun()) return context.build.warn("A button sound tag is truncated.");
  replaceButton(context, std::move(button));
}

}  // namespace movie::format
