#pragma once
// The character table: everything a movie defines, by id.
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "movie/format/button_def.h"
#include "movie/format/font.h"
#include "movie/format/records.h"
#include "movie/format/shape.h"
#include "movie/format/text_def.h"
#include "movie/format/timeline_def.h"

namespace movie::format {

struct Character;
using CharacterTable = std::unordered_map<uint16_t, Character>;

struct Character {
  enum Kind { Shape, MorphShape, Bitmap, Sprite, Font, StaticText, EditText, Sound, Button } kind = Shape;
  std::shared_ptr<const ShapeDef> shape;
  std::shared_ptr<const MorphShapeDef> morph;
  std::shared_ptr<const movie::Bitmap> bitmap;
  std::shared_ptr<const SpriteDef> sprite;
  std::shared_ptr<const SoundDef> sound;
  std::shared_ptr<const FontDef> font;
  std::shared_ptr<const StaticTextDef> text;
  std::shared_ptr<const EditTextDef> editText;
  std::shared_ptr<const ButtonDef> button;
  // DefineScalingGrid of a sprite or button: its centre band, own coordinates.
  std::shared_ptr<const Rect> scalingGrid;
  // An imported character's own movie's dictionary, where the ids it uses (what a sprite
  // places, a button shows, a field's font) are found; null: the dictionary holding it.
  const CharacterTable* home = nullptr;
};

}  // namespace movie::format
