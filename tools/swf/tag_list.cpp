// Tag bodies: definitions, display list changes and frame markers.
#include <stdexcept>

#include "tools/swf/swf_writer.h"

namespace swf {

void TagList::raw(uint16_t code, const Bytes& body, bool forceLong) {
  const Bytes tag = encodeTag(code, body, forceLong);
  out_.insert(out_.end(), tag.begin(), tag.end());
}

void TagList::fileAttributes(bool useNetwork, bool actionScript3) {
  BitWriter w;
  w.writeUB(0, 4);  // reserved, direct blit, GPU, metadata
  w.writeUB(actionScript3, 1);
  w.writeUB(0, 2);
  w.writeUB(useNetwork, 1);
  w.writeUB(0, 24);
  raw(kTagFileAttributes, w.bytes());
}

void TagList::setBackgroundColor(Rgba c) { raw(kTagSetBackgroundColor, {c.r, c.g, c.b}); }

void TagList::defineShape(uint16_t id, const Shape& shape, int version, bool nonZeroWinding) {
  static constexpr uint16_t kCodes[] = {kTagDefineShape, kTagDefineShape2, kTagDefineShape3,
                                        kTagDefineShape4};
  if (version < 1 || version > 4) throw std::invalid_argument("shape version 1 to 4");
  BitWriter w;
  w.writeU16(id);
  w.writeBytes(encodeRect(shape.bounds()));
  if (version == 4) {
    w.writeBytes(encodeRect(shape.edgeBounds()));
    w.writeUB(0, 5);
    w.writeUB(nonZeroWinding ? 1 : 0, 1);  // fill rule
    w.writeUB(0, 1);  // no non-scaling strokes
    w.writeUB(1, 1);  // scaling strokes
  }
  w.writeBytes(shape.encode(version));
  raw(kCodes[version - 1], w.bytes());
}

namespace {

void checkSize(int width, int height, size_t pixels) {
  if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF ||
      pixels != size_t(width) * size_t(height))
    throw std::invalid_argument("bitmap size does not match its pixels");
}

Bytes bitmapHeader(uint16_t id, uint8_t format, int width, int height) {
  BitWriter w;
  w.writeU16(id);
  w.writeU8(format);
  w.writeU16(uint16_t(width));
  w.writeU16(uint16_t(height));
  return w.bytes();
}

}  // namespace

void TagList::defineBitsLossless(uint16_t id, int width, int height, const std::vector<uint32_t>& argb) {
  checkSize(width, height, argb.size());
  Bytes pixels;
  pixels.reserve(argb.size() * 4);
  for (uint32_t p : argb) {
    pixels.push_back(0);  // reserved byte of PIX24
    pixels.push_back(uint8_t(p >> 16)), pixels.push_back(uint8_t(p >> 8)), pixels.push_back(uint8_t(p));
  }
  Bytes body = bitmapHeader(id, 5, width, height);
  const Bytes packed = zlibCompress(pixels);
  body.insert(body.end(), packed.begin(), packed.end());
  raw(kTagDefineBitsLossless, body, true);
}

void TagList::defineBitsLossless2(uint16_t id, int width, int height, const std::vector<uint32_t>& argb) {
  checkSize(width, height, argb.size());
  Bytes pixels;
  pixels.reserve(argb.size() * 4);
  for (uint32_t p : argb) {
    const uint32_t a = p >> 24;
    auto pre = [a](uint32_t c) { return uint8_t((c * a + 127) / 255); };
    pixels.push_back(uint8_t(a));
    pixels.push_back(pre((p >> 16) & 0xFF)), pixels.push_back(pre((p >> 8) & 0xFF)),
        pixels.push_back(pre(p & 0xFF));
  }
  Bytes body = bitmapHeader(id, 5, width, height);
  const Bytes packed = zlibCompress(pixels);
  body.insert(body.end(), packed.begin(), packed.end());
  raw(kTagDefineBitsLossless2, body, true);
}

void TagList::defineBitsColormapped(uint16_t id, int width, int height,
                                    const std::vector<uint32_t>& paletteArgb,
                                    const std::vector<uint8_t>& indices, bool withAlpha) {
  checkSize(width, height, indices.size());
  if (paletteArgb.empty() || paletteArgb.size() > 256)
    throw std::invalid_argument("a colour table holds 1 to 256 colours");
  Bytes data;
  for (uint32_t p : paletteArgb) {
    data.push_back(uint8_t(p >> 16)), data.push_back(uint8_t(p >> 8)), data.push_back(uint8_t(p));
    if (withAlpha) data.push_back(uint8_t(p >> 24));
  }
  const size_t stride = (size_t(width) + 3) & ~size_t(3);
  for (int y = 0; y < height; ++y) {
    data.insert(data.end(), indices.begin() + y * width, indices.begin() + (y + 1) * width);
    data.resize(data.size() + stride - width, 0);
  }
  Bytes body = bitmapHeader(id, 3, width, height);
  body.push_back(uint8_t(paletteArgb.size() - 1));
  const Bytes packed = zlibCompress(data);
  body.insert(body.end(), packed.begin(), packed.end());
  raw(withAlpha ? kTagDefineBitsLossless2 : kTagDefineBitsLossless, body, true);
}

void TagList::defineSprite(uint16_t id, const TagList& sprite) {
  BitWriter w;
  w.writeU16(id);
  w.writeU16(uint16_t(sprite.frameCount()));
  w.writeBytes(sprite.bytes());
  raw(kTagDefineSprite, w.bytes());
}

namespace {

uint8_t placeFlags(const Place& p) {
  return uint8_t((p.clipDepth ? 0x40 : 0) | (p.name ? 0x20 : 0) | (p.ratio ? 0x10 : 0) |
                 (p.colorTransform ? 0x08 : 0) | (p.matrix ? 0x04 : 0) |
                 (p.characterId ? 0x02 : 0) | (p.move ? 0x01 : 0));
}

void placeFields(BitWriter& w, const Place& p) {
  if (p.characterId) w.writeU16(*p.characterId);
  if (p.matrix) w.writeBytes(encodeMatrix(*p.matrix));
  if (p.colorTransform) w.writeBytes(encodeColorTransform(*p.colorTransform, true));
  if (p.ratio) w.writeU16(*p.ratio);
  if (p.name) w.writeString(*p.name);
  if (p.clipDepth) w.writeU16(*p.clipDepth);
}

}  // namespace

void TagList::placeObject2(const Place& p) {
  BitWriter w;
  w.writeU8(placeFlags(p));
  w.writeU16(p.depth);
  placeFields(w, p);
  raw(kTagPlaceObject2, w.bytes());
}

void TagList::placeObject3(const Place& p) {
  BitWriter w;
  w.writeU8(placeFlags(p));
  w.writeU8(uint8_t((p.visible ? 0x20 : 0) | (p.cacheAsBitmap ? 0x04 : 0) | (p.blendMode ? 0x02 : 0) |
                     (p.filters.empty() ? 0 : 0x01)));
  w.writeU16(p.depth);
  placeFields(w, p);
  if (!p.filters.empty()) w.writeBytes(encodeFilters(p.filters));
  if (p.blendMode) w.writeU8(*p.blendMode);
  if (p.cacheAsBitmap) w.writeU8(*p.cacheAsBitmap ? 1 : 0);
  if (p.visible) w.writeU8(*p.visible ? 1 : 0);
  raw(kTagPlaceObject3, w.bytes());
}

void TagList::removeObject2(uint16_t depth) { raw(kTagRemoveObject2, {uint8_t(depth), uint8_t(depth >> 8)}); }

void TagList::frameLabel(const std::string& name, bool namedAnchor) {
  BitWriter w;
  w.writeString(name);
  if (namedAnchor) w.writeU8(1);
  raw(kTagFrameLabel, w.bytes());
}

void TagList::showFrame() {
  raw(kTagShowFrame, {});
  ++frames_;
}

void TagList::end() { raw(kTagEnd, {}); }

}  // namespace swf
