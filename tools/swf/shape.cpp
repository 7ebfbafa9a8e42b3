// Shape outlines and their styles, encoded as SHAPEWITHSTYLE.
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "tools/swf/swf_writer.h"

namespace swf {

FillStyle FillStyle::solid(Rgba c) {
  FillStyle f;
  f.color = c;
  return f;
}

FillStyle FillStyle::linear(const Matrix& m, std::vector<GradientStop> stops) {
  FillStyle f;
  f.type = kLinear;
  f.matrix = m;
  f.stops = std::move(stops);
  return f;
}

FillStyle FillStyle::radial(const Matrix& m, std::vector<GradientStop> stops) {
  FillStyle f = linear(m, std::move(stops));
  f.type = kRadial;
  return f;
}

FillStyle FillStyle::focalRadial(const Matrix& m, std::vector<GradientStop> stops, double focal) {
  FillStyle f = linear(m, std::move(stops));
  f.type = kFocalRadial;
  f.focalPoint = focal;
  return f;
}

FillStyle FillStyle::bitmap(uint16_t id, const Matrix& m, bool clipped, bool smoothed) {
  FillStyle f;
  f.type = clipped ? (smoothed ? kClippedBitmap : kClippedBitmapHard)
                   : (smoothed ? kRepeatingBitmap : kRepeatingBitmapHard);
  f.bitmapId = id;
  f.matrix = m;
  return f;
}

int Shape::addFill(const FillStyle& f) {
  fills_.push_back(f);
  return int(fills_.size());
}

int Shape::addLine(const LineStyle& l) {
  lines_.push_back(l);
  return int(lines_.size());
}

void Shape::setStyles(int fill0, int fill1, int line) {
  pendingFill0_ = fill0;
  pendingFill1_ = fill1;
  pendingLine_ = line;
}

void Shape::touch(int32_t x, int32_t y) {
  if (!touched_) {
    points_ = Rect{x, x, y, y};
    touched_ = true;
  }
  points_.xMin = std::min(points_.xMin, x);
  points_.xMax = std::max(points_.xMax, x);
  points_.yMin = std::min(points_.yMin, y);
  points_.yMax = std::max(points_.yMax, y);
}

void Shape::moveTo(int32_t x, int32_t y) {
  Record r{Record::kStyle};
  r.hasMove = true;
  r.a = x, r.b = y;
  r.fill0 = pendingFill0_, r.fill1 = pendingFill1_, r.line = pendingLine_;
  pendingFill0_ = pendingFill1_ = pendingLine_ = -1;
  records_.push_back(r);
  touch(x, y);
}

void Shape::lineTo(int32_t x, int32_t y) {
  if (pendingFill0_ >= 0 || pendingFill1_ >= 0 || pendingLine_ >= 0) {
    Record s{Record::kStyle};
    s.fill0 = pendingFill0_, s.fill1 = pendingFill1_, s.line = pendingLine_;
    pendingFill0_ = pendingFill1_ = pendingLine_ = -1;
    records_.push_back(s);
  }
  Record r{Record::kLine};
  r.a = x, r.b = y;
  records_.push_back(r);
  touch(x, y);
}

void Shape::curveTo(int32_t controlX, int32_t controlY, int32_t x, int32_t y) {
  if (pendingFill0_ >= 0 || pendingFill1_ >= 0 || pendingLine_ >= 0) {
    Record s{Record::kStyle};
    s.fill0 = pendingFill0_, s.fill1 = pendingFill1_, s.line = pendingLine_;
    pendingFill0_ = pendingFill1_ = pendingLine_ = -1;
    records_.push_back(s);
  }
  Record r{Record::kCurve};
  r.a = controlX, r.b = controlY, r.c = x, r.d = y;
  records_.push_back(r);
  touch(controlX, controlY);
  touch(x, y);
}

void Shape::rect(int32_t x, int32_t y, int32_t width, int32_t height, int fill, int line) {
  setStyles(0, fill, line);
  moveTo(x, y);
  lineTo(x + width, y);
  lineTo(x + width, y + height);
  lineTo(x, y + height);
  lineTo(x, y);
}

void Shape::circle(int32_t cx, int32_t cy, int32_t radius, int fill, int line) {
  // Eight quadratic arcs of 45 degrees, clockwise on screen; each control point lies
  // on the bisector at radius / cos(22.5 degrees).
  const double pi = 3.14159265358979323846;
  const double controlRadius = radius / std::cos(pi / 8);
  setStyles(0, fill, line);
  moveTo(cx + radius, cy);
  for (int k = 0; k < 8; ++k) {
    const double mid = (k + 0.5) * pi / 4, end = (k + 1) * pi / 4;
    curveTo(cx + int32_t(std::lround(controlRadius * std::cos(mid))),
            cy + int32_t(std::lround(controlRadius * std::sin(mid))),
            k == 7 ? cx + radius : cx + int32_t(std::lround(radius * std::cos(end))),
            k == 7 ? cy : cy + int32_t(std::lround(radius * std::sin(end))));
  }
}

void Shape::polygon(const std::vector<std::pair<int32_t, int32_t>>& points, int fill, int line) {
  if (points.empty()) return;
  setStyles(0, fill, line);
  moveTo(points[0].first, points[0].second);
  for (size_t i = 1; i < points.size(); ++i) lineTo(points[i].first, points[i].second);
  lineTo(points[0].first, points[0].second);
}

Rect Shape::edgeBounds() const { return bounds_ ? *bounds_ : points_; }

Rect Shape::bounds() const {
  if (bounds_) return *bounds_;
  int widest = 0;
  for (const LineStyle& l : lines_) widest = std::max<int>(widest, l.width);
  const int half = (widest + 1) / 2;
  return Rect{points_.xMin - half, points_.xMax + half, points_.yMin - half, points_.yMax + half};
}

namespace {

// Edge deltas are stored in at most 17 bits (a 4-bit count of bits minus 2).
constexpr int kMaxEdgeBits = 17;

void writeColor(BitWriter& w, Rgba c, bool alpha) {
  w.writeU8(c.r), w.writeU8(c.g), w.writeU8(c.b);
  if (alpha) w.writeU8(c.a);
}

void writeStyleCount(BitWriter& w, size_t count, int version) {
  if (count < 0xFF) {
    w.writeU8(uint8_t(count));
  } else if (version >= 2 && count <= 0xFFFF) {
    w.writeU8(0xFF);
    w.writeU16(uint16_t(count));
  } else {
    throw std::invalid_argument("too many styles for this shape version");
  }
}

void writeFill(BitWriter& w, const FillStyle& f, int version) {
  const bool alpha = version >= 3;
  w.writeU8(f.type);
  switch (f.type) {
    case FillStyle::kSolid:
      writeColor(w, f.color, alpha);
      return;
    case FillStyle::kLinear:
    case FillStyle::kRadial:
    case FillStyle::kFocalRadial: {
      if (f.type == FillStyle::kFocalRadial && version < 4)
        throw std::invalid_argument("focal gradients need DefineShape4");
      if (f.stops.empty() || f.stops.size() > 15)
        throw std::invalid_argument("a gradient holds 1 to 15 stops");
      w.writeBytes(encodeMatrix(f.matrix));
      w.writeUB(f.spreadMode, 2);
      w.writeUB(f.interpolationMode, 2);
      w.writeUB(uint32_t(f.stops.size()), 4);
      for (const GradientStop& s : f.stops) {
        w.writeU8(s.ratio);
        writeColor(w, s.color, alpha);
      }
      if (f.type == FillStyle::kFocalRadial)
        w.writeU16(uint16_t(int16_t(std::lround(std::clamp(f.focalPoint, -1.0, 1.0) * 256))));
      return;
    }
    default:
      w.writeU16(f.bitmapId);
      w.writeBytes(encodeMatrix(f.matrix));
      return;
  }
}

void writeLine(BitWriter& w, const LineStyle& l, int version) {
  w.writeU16(l.width);
  if (version < 4) {
    writeColor(w, l.color, version >= 3);
    return;
  }
  w.writeUB(l.startCap, 2);
  w.writeUB(l.join, 2);
  w.writeUB(0, 1);  // no fill: a plain colour follows
  w.writeUB(0, 3);  // scaled both ways, no pixel hinting
  w.writeUB(0, 5);
  w.writeUB(0, 1);  // closed paths are joined
  w.writeUB(l.endCap, 2);
  if (l.join == 2) w.writeU16(uint16_t(std::lround(std::clamp(l.miterLimit, 0.0, 255.0) * 256)));
  writeColor(w, l.color, true);
}

int edgeBits(std::initializer_list<int32_t> deltas) {
  int n = 2;
  for (int32_t d : deltas) n = std::max(n, bitsForSigned(d));
  return n;
}

void writeStraight(BitWriter& w, int32_t dx, int32_t dy) {
  const int n = edgeBits({dx, dy});
  if (n > kMaxEdgeBits) {  // too long for one record: halve it
    const int32_t hx = dx / 2, hy = dy / 2;
    writeStraight(w, hx, hy);
    writeStraight(w, dx - hx, dy - hy);
    return;
  }
  w.writeUB(1, 1);  // edge
  w.writeUB(1, 1);  // straight
  w.writeUB(uint32_t(n - 2), 4);
  if (dx != 0 && dy != 0) {
    w.writeUB(1, 1);  // general line
    w.writeSB(dx, n);
    w.writeSB(dy, n);
  } else if (dx == 0 && dy != 0) {
    w.writeUB(0, 1);
    w.writeUB(1, 1);  // vertical
    w.writeSB(dy, n);
  } else {
    w.writeUB(0, 1);
    w.writeUB(0, 1);  // horizontal
    w.writeSB(dx, n);
  }
}

void writeCurve(BitWriter& w, int32_t cx, int32_t cy, int32_t ax, int32_t ay, int depth = 0) {
  const int n = edgeBits({cx, cy, ax, ay});
  if (n > kMaxEdgeBits && depth < 8) {  // split at t = 1/2 (de Casteljau), in deltas
    const double p1x = cx, p1y = cy, p2x = cx + ax, p2y = cy + ay;
    const double q0x = p1x / 2, q0y = p1y / 2;
    const double q1x = (p1x + p2x) / 2, q1y = (p1y + p2y) / 2;
    const int32_t mx = int32_t(std::lround((q0x + q1x) / 2)), my = int32_t(std::lround((q0y + q1y) / 2));
    const int32_t c0x = int32_t(std::lround(q0x)), c0y = int32_t(std::lround(q0y));
    writeCurve(w, c0x, c0y, mx - c0x, my - c0y, depth + 1);
    const int32_t c1x = int32_t(std::lround(q1x)) - mx, c1y = int32_t(std::lround(q1y)) - my;
    writeCurve(w, c1x, c1y, int32_t(p2x) - mx - c1x, int32_t(p2y) - my - c1y, depth + 1);
    return;
  }
  if (n > kMaxEdgeBits) throw std::invalid_argument("curve too long");
  w.writeUB(1, 1);  // edge
  w.writeUB(0, 1);  // curved
  w.writeUB(uint32_t(n - 2), 4);
  w.writeSB(cx, n), w.writeSB(cy, n), w.writeSB(ax, n), w.writeSB(ay, n);
}

}  // namespace

Bytes Shape::encode(int version) const {
  if (version < 1 || version > 4) throw std::invalid_argument("shape version 1 to 4");
  BitWriter w;
  writeStyleCount(w, fills_.size(), version);
  for (const FillStyle& f : fills_) writeFill(w, f, version);
  writeStyleCount(w, lines_.size(), version);
  for (const LineStyle& l : lines_) writeLine(w, l, version);
  const int fillBits = bitsForUnsigned(uint32_t(fills_.size()));
  const int lineBits = bitsForUnsigned(uint32_t(lines_.size()));
  w.writeUB(uint32_t(fillBits), 4);
  w.writeUB(uint32_t(lineBits), 4);

  auto checkIndex = [](int index, size_t count) {
    if (index > int(count)) throw std::invalid_argument("style index without a style");
  };
  int32_t penX = 0, penY = 0;
  for (const Record& r : records_) {
    switch (r.kind) {
      case Record::kStyle: {
        const bool f0 = r.fill0 >= 0, f1 = r.fill1 >= 0, ln = r.line >= 0;
        if (!r.hasMove && !f0 && !f1 && !ln) break;  // nothing to say (and not an end record)
        w.writeUB(0, 1);  // non-edge
        w.writeUB(0, 1);  // no new styles
        w.writeUB(ln, 1);
        w.writeUB(f1, 1);
        w.writeUB(f0, 1);
        w.writeUB(r.hasMove, 1);
        if (r.hasMove) {
          const int n = std::max(bitsForSigned(r.a), bitsForSigned(r.b));
          w.writeUB(uint32_t(n), 5);
          w.writeSB(r.a, n);
          w.writeSB(r.b, n);
          penX = r.a, penY = r.b;
        }
        if (f0) checkIndex(r.fill0, fills_.size()), w.writeUB(uint32_t(r.fill0), fillBits);
        if (f1) checkIndex(r.fill1, fills_.size()), w.writeUB(uint32_t(r.fill1), fillBits);
        if (ln) checkIndex(r.line, lines_.size()), w.writeUB(uint32_t(r.line), lineBits);
        break;
      }
      case Record::kLine:
        writeStraight(w, r.a - penX, r.b - penY);
        penX = r.a, penY = r.b;
        break;
      case Record::kCurve:
        writeCurve(w, r.a - penX, r.b - penY, r.c - r.a, r.d - r.b);
        penX = r.c, penY = r.d;
        break;
    }
  }
  w.writeUB(0, 6);  // end of shape
  return w.bytes();
}

}  // namespace swf
