// The filter list of a PlaceObject3 tag.
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "tools/swf/swf_writer.h"

namespace swf {
namespace {

void writeRgba(BitWriter& w, Rgba c) {
  w.writeU8(c.r);
  w.writeU8(c.g);
  w.writeU8(c.b);
  w.writeU8(c.a);
}

void writeFixed(BitWriter& w, double v) { w.writeU32(uint32_t(int32_t(std::lround(v * 65536.0)))); }
void writeFixed8(BitWriter& w, double v) { w.writeU16(uint16_t(int16_t(std::lround(v * 256.0)))); }

void writeFloat(BitWriter& w, float v) {
  uint32_t bits;
  static_assert(sizeof bits == sizeof v);
  std::memcpy(&bits, &v, sizeof bits);
  w.writeU32(bits);
}

// Inner, knockout, composite source, on top (bevels only) and passes in one byte.
void writeFlags(BitWriter& w, const FilterRecord& f, bool bevel) {
  uint8_t flags = uint8_t((f.inner ? 0x80 : 0) | (f.knockout ? 0x40 : 0) | (f.compositeSource ? 0x20 : 0));
  if (bevel) flags |= uint8_t((f.onTop ? 0x10 : 0) | (f.passes & 0x0F));
  else flags |= uint8_t(f.passes & 0x1F);
  w.writeU8(flags);
}

void writeShadowLike(BitWriter& w, const FilterRecord& f) {
  writeFixed(w, f.blurX);
  writeFixed(w, f.blurY);
  writeFixed(w, f.angle);
  writeFixed(w, f.distance);
  writeFixed8(w, f.strength);
}

void writeFilter(BitWriter& w, const FilterRecord& f) {
  w.writeU8(f.kind);
  switch (f.kind) {
    case FilterRecord::kDropShadow:
      writeRgba(w, f.color);
      writeShadowLike(w, f);
      return writeFlags(w, f, false);
    case FilterRecord::kBlur:
      writeFixed(w, f.blurX);
      writeFixed(w, f.blurY);
      return w.writeU8(uint8_t(f.passes << 3));
    case FilterRecord::kGlow:
      writeRgba(w, f.color);
      writeFixed(w, f.blurX);
      writeFixed(w, f.blurY);
      writeFixed8(w, f.strength);
      return writeFlags(w, f, false);
    case FilterRecord::kBevel:
      writeRgba(w, f.color);  // the highlight first
      writeRgba(w, f.shadowColor);
      writeShadowLike(w, f);
      return writeFlags(w, f, true);
    case FilterRecord::kGradientGlow:
    case FilterRecord::kGradientBevel:
      w.writeU8(uint8_t(f.stops.size()));
      for (const GradientStop& s : f.stops) writeRgba(w, s.color);
      for (const GradientStop& s : f.stops) w.writeU8(s.ratio);
      writeShadowLike(w, f);
      return writeFlags(w, f, true);
    case FilterRecord::kConvolution:
      w.writeU8(f.matrixX);
      w.writeU8(f.matrixY);
      writeFloat(w, f.divisor);
      writeFloat(w, f.bias);
      for (float v : f.kernel) writeFloat(w, v);
      writeRgba(w, f.defaultColor);
      return w.writeU8(uint8_t((f.clamp ? 0x02 : 0) | (f.preserveAlpha ? 0x01 : 0)));
    case FilterRecord::kColorMatrix:
      if (f.colorMatrix.size() != 20) throw std::invalid_argument("a colour matrix has 20 values");
      for (float v : f.colorMatrix) writeFloat(w, v);
      return;
  }
}

}  // namespace

Bytes encodeFilters(const std::vector<FilterRecord>& filters) {
  if (filters.size() > 255) throw std::invalid_argument("at most 255 filters");
  BitWriter w;
  w.writeU8(uint8_t(filters.size()));
  for (const FilterRecord& f : filters) writeFilter(w, f);
  return w.bytes();
}

}  // namespace swf
