#pragma once
// The tags of a movie or of a sprite.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/swf/place.h"
#include "tools/swf/shape.h"

namespace swf {

// A sequence of tags: the body of a movie or of a sprite.
class TagList {
 public:
  void raw(uint16_t code, const Bytes& body, bool forceLong = false);
  void fileAttributes(bool useNetwork = true, bool actionScript3 = false);
  void setBackgroundColor(Rgba c);
  // version 1..4 selects DefineShape, DefineShape2, DefineShape3, DefineShape4; only
  // version 4 can ask for the non-zero winding rule.
  void defineShape(uint16_t id, const Shape& shape, int version = 3, bool nonZeroWinding = false);
  // Pixels are 0xAARRGGBB, width*height of them, rows top down. DefineBitsLossless
  // (format 5, alpha ignored) or DefineBitsLossless2 (alpha, stored premultiplied).
  void defineBitsLossless(uint16_t id, int width, int height, const std::vector<uint32_t>& argb);
  void defineBitsLossless2(uint16_t id, int width, int height, const std::vector<uint32_t>& argb);
  // Colour-mapped (format 3): palette of up to 256 entries, one index per pixel;
  // rows padded to 4 bytes. withAlpha selects DefineBitsLossless2 (RGBA palette).
  void defineBitsColormapped(uint16_t id, int width, int height,
                             const std::vector<uint32_t>& paletteArgb,
                             const std::vector<uint8_t>& indices, bool withAlpha);
  void defineSprite(uint16_t id, const TagList& sprite);  // frames = sprite.frameCount()
  void placeObject2(const Place& p);
  void placeObject3(const Place& p);
  void removeObject2(uint16_t depth);
  void frameLabel(const std::string& name, bool namedAnchor = false);
  void showFrame();
  void end();

  int frameCount() const { return frames_; }
  const Bytes& bytes() const { return out_; }

 private:
  Bytes out_;
  int frames_ = 0;
};

}  // namespace swf
