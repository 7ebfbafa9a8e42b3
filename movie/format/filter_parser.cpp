#include "movie/format/filter_parser.h"

#include <algorithm>
#include <cmath>

#include "movie/format/records.h"

namespace movie::format {
namespace {

constexpr int kMaxKernelCells = 31 * 31;

// Blur sizes are kept within what a layer can show; negative or NaN sizes blur nothing.
float saneBlur(float v) { return std::isfinite(v) && v > 0 ? std::min(v, 1024.0f) : 0; }

void readBlur(io::BitReader& r, Filter& f) {
  f.blurX = saneBlur(r.fixed16());
  f.blurY = saneBlur(r.fixed16());
}

// Inner, knockout, composite source (or on top for bevels) and passes in one byte.
void readFlags(io::BitReader& r, Filter& f, bool bevel) {
  uint8_t flags = r.u8();
  f.inner = flags & 0x80;
  f.knockout = flags & 0x40;
  f.compositeSource = flags & 0x20;
  if (bevel) f.onTop = flags & 0x10;
  f.passes = bevel ? flags & 0x0F : flags & 0x1F;
}

void readShadowLike(io::BitReader& r, Filter& f) {  // drop shadow, bevel
  readBlur(r, f);
  f.angle = r.fixed16();
  f.distance = r.fixed16();
  f.strength = r.fixed8();
}

bool readGradientFilter(io::BitReader& r, Filter& f) {
  int count = r.u8();
  std::vector<Color> colors;
  for (int i = 0; i < count; ++i) colors.push_back(readRgba(r));
  for (int i = 0; i < count; ++i) f.stops.push_back({r.u8(), colors[size_t(i)]});
  readShadowLike(r, f);
  readFlags(r, f, true);
  return !r.overrun();
}

bool readConvolution(io::BitReader& r, Filter& f) {
  f.matrixX = r.u8();
  f.matrixY = r.u8();
  f.divisor = r.f32();
  f.bias = r.f32();
  if (f.matrixX * f.matrixY > kMaxKernelCells) return false;
  for (int i = 0; i < f.matrixX * f.matrixY; ++i) f.kernel.push_back(r.f32());
  f.defaultColor = readRgba(r);
  uint8_t flags = r.u8();
  f.clamp = flags & 0x02;
  f.preserveAlpha = flags & 0x01;
  return !r.overrun();
}

bool readFilter(io::BitReader& r, Filter& f) {
  uint8_t kind = r.u8();
  if (kind > Filter::GradientBevel) return false;
  f.kind = Filter::Kind(kind);
  switch (f.kind) {
    case Filter::DropShadow:
      f.color = readRgba(r);
      readShadowLike(r, f);
      readFlags(r, f, false);
      break;
    case Filter::Blur:
      readBlur(r, f);
      f.passes = r.u8() >> 3;
      break;
    case Filter::Glow:
      f.color = readRgba(r);
      readBlur(r, f);
      f.strength = r.fixed8();
      readFlags(r, f, false);
      break;
    case Filter::Bevel:
      // The highlight comes first: movies from authoring tools show it on the side the
      // angle points away from.
      f.color = readRgba(r);
      f.shadowColor = readRgba(r);
      readShadowLike(r, f);
      readFlags(r, f, true);
      break;
    case Filter::GradientGlow:
    case Filter::GradientBevel:
      return readGradientFilter(r, f);
    case Filter::Convolution:
      return readConvolution(r, f);
    case Filter::ColorMatrix:
      for (float& v : f.matrix) v = r.f32();
      break;
  }
  return !r.overrun();
}

}  // namespace

bool readFilters(io::BitReader& r, std::vector<Filter>& out) {
  int count = r.u8();
  for (int i = 0; i < count; ++i) {
    Filter f;
    if (!readFilter(r, f)) return false;
    if (!std::isfinite(f.strength)) f.strength = 0;
    out.push_back(std::move(f));
  }
  return !r.overrun();
}

}  // namespace movie::format
