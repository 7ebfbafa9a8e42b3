// The basic records: RECT, MATRIX, CXFORM(WITHALPHA) and tag headers.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "tools/swf/swf_writer.h"

namespace swf {

Matrix Matrix::translate(int32_t x, int32_t y) {
  Matrix m;
  m.translateX = x;
  m.translateY = y;
  return m;
}

Matrix Matrix::transform(double scaleX, double scaleY, double degrees, int32_t x, int32_t y) {
  const double r = degrees * std::numbers::pi / 180.0;
  Matrix m;
  m.scaleX = scaleX * std::cos(r);
  m.rotateSkew0 = scaleX * std::sin(r);
  m.rotateSkew1 = -scaleY * std::sin(r);
  m.scaleY = scaleY * std::cos(r);
  m.translateX = x;
  m.translateY = y;
  return m;
}

Matrix Matrix::gradientBox(int32_t x, int32_t y, int32_t width, int32_t height, double degrees) {
  return transform(width / 32768.0, height / 32768.0, degrees, x + width / 2, y + height / 2);
}

Matrix Matrix::bitmap(int32_t x, int32_t y, double pixelSize) {
  return transform(20.0 * pixelSize, 20.0 * pixelSize, 0, x, y);
}

ColorTransform ColorTransform::alpha(double opacity) {
  ColorTransform c;
  c.multA = static_cast<int16_t>(std::lround(std::clamp(opacity, 0.0, 1.0) * 256.0));
  return c;
}

bool ColorTransform::hasMult() const {
  return multR != 256 || multG != 256 || multB != 256 || multA != 256;
}

bool ColorTransform::hasAdd() const { return addR != 0 || addG != 0 || addB != 0 || addA != 0; }

Bytes encodeRect(const Rect& r) {
  const int n = std::max({bitsForSigned(r.xMin), bitsForSigned(r.xMax), bitsForSigned(r.yMin),
                          bitsForSigned(r.yMax)});
  BitWriter w;
  w.writeUB(uint32_t(n), 5);
  w.writeSB(r.xMin, n);
  w.writeSB(r.xMax, n);
  w.writeSB(r.yMin, n);
  w.writeSB(r.yMax, n);
  return w.bytes();
}

namespace {
int32_t fixed(double v) { return static_cast<int32_t>(std::lround(v * 65536.0)); }
}  // namespace

Bytes encodeMatrix(const Matrix& m) {
  BitWriter w;
  const bool hasScale = fixed(m.scaleX) != 65536 || fixed(m.scaleY) != 65536;
  w.writeUB(hasScale, 1);
  if (hasScale) {
    const int n = std::max(bitsForFixed(m.scaleX), bitsForFixed(m.scaleY));
    w.writeUB(uint32_t(n), 5);
    w.writeFB(m.scaleX, n);
    w.writeFB(m.scaleY, n);
  }
  const bool hasRotate = fixed(m.rotateSkew0) != 0 || fixed(m.rotateSkew1) != 0;
  w.writeUB(hasRotate, 1);
  if (hasRotate) {
    const int n = std::max(bitsForFixed(m.rotateSkew0), bitsForFixed(m.rotateSkew1));
    w.writeUB(uint32_t(n), 5);
    w.writeFB(m.rotateSkew0, n);
    w.writeFB(m.rotateSkew1, n);
  }
  const int n = std::max(bitsForSigned(m.translateX), bitsForSigned(m.translateY));
  w.writeUB(uint32_t(n), 5);
  w.writeSB(m.translateX, n);
  w.writeSB(m.translateY, n);
  return w.bytes();
}

Bytes encodeColorTransform(const ColorTransform& c, bool withAlpha) {
  const bool add = withAlpha ? c.hasAdd() : (c.addR || c.addG || c.addB);
  const bool mult = withAlpha ? c.hasMult() : (c.multR != 256 || c.multG != 256 || c.multB != 256);
  int n = 0;
  auto widen = [&](int16_t v) { n = std::max(n, bitsForSigned(v)); };
  if (mult) {
    widen(c.multR), widen(c.multG), widen(c.multB);
    if (withAlpha) widen(c.multA);
  }
  if (add) {
    widen(c.addR), widen(c.addG), widen(c.addB);
    if (withAlpha) widen(c.addA);
  }
  if (n > 15) throw std::invalid_argument("colour transform term too large");
  BitWriter w;
  w.writeUB(add, 1);
  w.writeUB(mult, 1);
  w.writeUB(uint32_t(n), 4);
  if (mult) {
    w.writeSB(c.multR, n), w.writeSB(c.multG, n), w.writeSB(c.multB, n);
    if (withAlpha) w.writeSB(c.multA, n);
  }
  if (add) {
    w.writeSB(c.addR, n), w.writeSB(c.addG, n), w.writeSB(c.addB, n);
    if (withAlpha) w.writeSB(c.addA, n);
  }
  return w.bytes();
}

Bytes encodeTag(uint16_t code, const Bytes& body, bool forceLong) {
  if (code > 0x3FF) throw std::invalid_argument("tag code above 1023");
  BitWriter w;
  if (body.size() < 0x3F && !forceLong) {
    w.writeU16(uint16_t(code << 6 | body.size()));
  } else {
    w.writeU16(uint16_t(code << 6 | 0x3F));
    w.writeU32(static_cast<uint32_t>(body.size()));
  }
  w.writeBytes(body);
  return w.bytes();
}

}  // namespace swf
