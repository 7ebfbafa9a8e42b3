#include "movie/format/shape_parser.h"

#include <algorithm>

namespace movie::format {
namespace {

constexpr size_t kMaxShapeEdges = 1'000'000;

struct StyleReader {
  io::BitReader& r;
  int version;  // shape version 1..4; morph shapes use 3 (RGBA) with morph = true
  const BitmapLookup& bitmaps;

  Color color() { return version >= 3 ? readRgba(r) : readRgb(r); }

  void gradientStops(Gradient& g, FillStyle* end) {
    r.align();
    uint8_t head = r.u8();
    int spread = head >> 6;
    int interp = (head >> 4) & 3;
    int count = head & 15;
    g.spread = spread == 1 ? Spread::Reflect
               : spread == 2 ? Spread::Repeat
                             : Spread::Pad;
    g.interpolation = interp == 1 ? Interpolation::LinearRGB : Interpolation::Normal;
    if (end) {
      end->gradient.spread = g.spread;
      end->gradient.interpolation = g.interpolation;
    }
    for (int i = 0; i < count && !r.overrun(); ++i) {
      GradientStop s;
      s.ratio = r.u8();
      s.color = color();
      g.stops.push_back(s);
      if (end) {
        GradientStop e;
        e.ratio = r.u8();
        e.color = color();
        end->gradient.stops.push_back(e);
      }
    }
  }

  // Reads one fill style; for morph shapes also the end style into *end.
  FillStyle fill(FillStyle* end) {
    FillStyle f;
    uint8_t type = r.u8();
    if (type == 0x00) {
      f.kind = FillStyle::Solid;
      f.color = color();
      if (end) {
        end->kind = FillStyle::Solid;
        end->color = color();
      }
    } else if (type == 0x10 || type == 0x12 || type == 0x13) {
      f.kind = FillStyle::Gradient;
      f.gradient.kind = type == 0x10 ? Gradient::Linear
                        : type == 0x12 ? Gradient::Radial
                                       : Gradient::Focal;
      f.gradient.matrix = readMatrix(r);
      if (end) {
        *end = f;
        end->gradient.matrix = readMatrix(r);
      }
      gradientStops(f.gradient, end);
      if (type == 0x13) {
        f.gradient.focal = std::clamp(r.fixed8(), -1.0f, 1.0f);
        if (end) end->gradient.focal = std::clamp(r.fixed8(), -1.0f, 1.0f);
      }
      if (f.gradient.stops.empty()) f.gradient.stops.push_back({0, {0, 0, 0, 0}});
      if (end && end->gradient.stops.empty()) end->gradient.stops.push_back({0, {0, 0, 0, 0}});
    } else if (type >= 0x40 && type <= 0x43) {
      f.kind = FillStyle::Bitmap;
      uint16_t id = r.u16();
      f.bitmap = bitmaps ? bitmaps(id) : nullptr;
      f.bitmapMatrix = readMatrix(r);
      f.repeat = type == 0x40 || type == 0x42;
      f.smooth = type == 0x40 || type == 0x41;
      if (end) {
        *end = f;
        end->bitmapMatrix = readMatrix(r);
      }
    } else {
      // Unknown fill type: nothing more can be read reliably.
      f.kind = FillStyle::Solid;
      f.color = {0, 0, 0, 0};
      failed = true;
    }
    return f;
  }

  std::vector<FillStyle> fills(std::vector<FillStyle>* ends) {
    std::vector<FillStyle> out;
    size_t count = r.u8();
    if (count == 0xFF && (version >= 2 || ends)) count = r.u16();
    for (size_t i = 0; i < count && !r.overrun() && !failed; ++i) {
      FillStyle end;
      out.push_back(fill(ends ? &end : nullptr));
      if (ends) ends->push_back(end);
    }
    return out;
  }

  static void strokeFlags(io::BitReader& r, LineStyle& l, bool& hasFill) {
    int startCap = int(r.ub(2));
    int join = int(r.ub(2));
    hasFill = r.ub(1);
    bool noH = r.ub(1);
    bool noV = r.ub(1);
    r.ub(1);  // pixel hinting
    r.ub(5);
    l.stroke.noClose = r.ub(1);
    int endCap = int(r.ub(2));
    auto cap = [](int v) { return v == 1 ? Cap::None : v == 2 ? Cap::Square : Cap::Round; };
    l.stroke.startCap = cap(startCap);
    l.stroke.endCap = cap(endCap);
    l.stroke.join = join == 1 ? Join::Bevel : join == 2 ? Join::Miter : Join::Round;
    l.stroke.scaling = noH && noV ? StrokeScaling::None
                       : noH      ? StrokeScaling::Vertical
                       : noV      ? StrokeScaling::Horizontal
                                  : StrokeScaling::Normal;
    if (join == 2) l.stroke.miterLimit = r.fixed8();
  }

  LineStyle line(LineStyle* end) {
    LineStyle l;
    l.stroke.width = r.u16();
    if (end) end->stroke.width = r.u16();
    if (version >= 4) {
      bool hasFill = false;
      strokeFlags(r, l, hasFill);
      if (end) {
        float w = end->stroke.width;
        end->stroke = l.stroke;
        end->stroke.width = w;
      }
      if (hasFill) {
        l.hasFill = true;
        FillStyle e;
        l.fill = fill(end ? &e : nullptr);
        if (end) {
          end->hasFill = true;
          end->fill = e;
        }
        return l;
      }
    }
    l.fill.kind = FillStyle::Solid;
    l.fill.color = color();
    if (end) {
      end->fill.kind = FillStyle::Solid;
      end->fill.color = color();
    }
    return l;
  }

  std::vector<LineStyle> lines(std::vector<LineStyle>* ends) {
    std::vector<LineStyle> out;
    size_t count = r.u8();
    if (count == 0xFF) count = r.u16();
    for (size_t i = 0; i < count && !r.overrun() && !failed; ++i) {
      LineStyle end;
      out.push_back(line(ends ? &end : nullptr));
      if (ends) ends->push_back(end);
    }
    return out;
  }

  bool failed = false;
};

// Reads a fill style array and a line style array as a new group of the outline.
bool readStyleGroup(StyleReader& styles, ShapeOutline& out, std::string& error) {
  StyleGroup g;
  g.fills = styles.fills(nullptr);
  g.lines = styles.lines(nullptr);
  if (styles.failed) {
    error = "A shape has an unknown fill style.";
    return false;
  }
  out.groups.push_back(std::move(g));
  return true;
}

// Where the drawing pen is and what it draws with, while shape records are read.
struct ShapePen {
  int fillBits = 0, lineBits = 0;
  float x = 0, y = 0;
  uint16_t fill0 = 0, fill1 = 0, line = 0;
  uint16_t group = 0;
};

// A style-change record (flags not zero): moves the pen, picks styles, and (when
// readStyles) starts a new group of style arrays.
bool readStyleChange(io::BitReader& r, uint32_t flags, StyleReader& styles, bool readStyles, ShapeOutline& out,
                     ShapePen& pen, std::string& error) {
  if (flags & 1) {
    int bits = int(r.ub(5));
    pen.x = float(r.sb(bits));
    pen.y = float(r.sb(bits));
  }
  if (flags & 2) pen.fill0 = uint16_t(r.ub(pen.fillBits));
  if (flags & 4) pen.fill1 = uint16_t(r.ub(pen.fillBits));
  if (flags & 8) pen.line = uint16_t(r.ub(pen.lineBits));
  if (!(flags & 16) || !readStyles) return true;
  if (!readStyleGroup(styles, out, error)) return false;
  pen.group = uint16_t(std::min<size_t>(out.groups.size() - 1, 0xFFFF));
  pen.fillBits = int(r.ub(4));
  pen.lineBits = int(r.ub(4));
  return true;
}

// An edge record (after its edge bit): a straight or curved edge from the pen.
Edge readEdge(io::BitReader& r, ShapePen& pen) {
  Edge e;
  e.x0 = pen.x;
  e.y0 = pen.y;
  e.fill0 = pen.fill0;
  e.fill1 = pen.fill1;
  e.line = pen.line;
  e.group = pen.group;
  bool straight = r.ub(1);
  int bits = int(r.ub(4)) + 2;
  if (straight) {
    bool general = r.ub(1);
    float dx = 0, dy = 0;
    if (general) {
      dx = float(r.sb(bits));
      dy = float(r.sb(bits));
    } else if (r.ub(1)) {
      dy = float(r.sb(bits));
    } else {
      dx = float(r.sb(bits));
    }
    pen.x += dx;
    pen.y += dy;
    e.cx = (e.x0 + pen.x) / 2;
    e.cy = (e.y0 + pen.y) / 2;
  } else {
    e.curve = true;
    e.cx = pen.x + float(r.sb(bits));
    e.cy = pen.y + float(r.sb(bits));
    pen.x = e.cx + float(r.sb(bits));
    pen.y = e.cy + float(r.sb(bits));
  }
  e.x1 = pen.x;
  e.y1 = pen.y;
  return e;
}

// Reads shape records; edges go to out with absolute coordinates. New style arrays
// (allowed when readStyles) start new groups through styles.
bool readRecords(io::BitReader& r, StyleReader& styles, bool readStyles, ShapeOutline& out,
                 std::string& error) {
  r.align();
  ShapePen pen;
  pen.fillBits = int(r.ub(4));
  pen.lineBits = int(r.ub(4));
  pen.group = uint16_t(out.groups.empty() ? 0 : out.groups.size() - 1);
  while (true) {
    if (r.overrun()) break;
    if (out.edges.size() > kMaxShapeEdges) {
      error = "A shape has too many edges.";
      return false;
    }
    if (r.ub(1)) {
      out.edges.push_back(readEdge(r, pen));
      continue;
    }
    uint32_t flags = r.ub(5);
    if (flags == 0) break;
    if (!readStyleChange(r, flags, styles, readStyles, out, pen, error)) return false;
  }
  if (r.overrun()) {
    error = "A shape's records end early.";
    return false;
  }
  return true;
}

}  // namespace

bool parseShape(const uint8_t* body, size_t size, int version, const BitmapLookup& bitmaps,
                ShapeDef& out, std::string& error) {
  io::BitReader r(body, size);
  out.id = r.u16();
  out.bounds = readRect(r);
  if (version >= 4) {
    readRect(r);  // edge bounds
    out.outline.nonZeroFill = r.u8() & 0x04;  // besides the scaling-stroke flags
  }
  StyleReader styles{r, version, bitmaps};
  if (!readStyleGroup(styles, out.outline, error)) return false;
  if (r.overrun()) {
    error = "A shape's styles end early.";
    return false;
  }
  return readRecords(r, styles, version >= 2, out.outline, error);
}

bool parseMorphShape(const uint8_t* body, size_t size, int version, const BitmapLookup& bitmaps,
                     MorphShapeDef& out, std::string& error) {
  io::BitReader r(body, size);
  out.id = r.u16();
  out.startBounds = readRect(r);
  out.endBounds = readRect(r);
  if (version >= 2) {
    readRect(r);
    readRect(r);
    r.u8();
  }
  uint32_t offset = r.u32();
  size_t endEdgesAt = r.position() + offset;
  // Morph styles are always RGBA; version 2 line styles carry the extended flags.
  StyleReader styles{r, version >= 2 ? 4 : 3, bitmaps};
  StyleGroup g;
  g.fills = styles.fills(&out.endFills);
  g.lines = styles.lines(&out.endLines);
  if (styles.failed || r.overrun()) {
    error = "A morph shape's styles are unreadable.";
    return false;
  }
  out.start.groups.push_back(std::move(g));
  if (!readRecords(r, styles, false, out.start, error)) return false;
  if (endEdgesAt > size) {
    error = "A morph shape's end edges lie outside it.";
    return false;
  }
  io::BitReader endReader(body + endEdgesAt, size - endEdgesAt);
  ShapeOutline end;
  end.groups.emplace_back();
  std::string endError;
  readRecords(endReader, styles, false, end, endError);  // a damaged end keeps the start
  out.endEdges = std::move(end.edges);
  return true;
}

namespace {

float lerp(float a, float b, float t) { return a + (b - a) * t; }

uint8_t lerp8(uint8_t a, uint8_t b, float t) {
  float v = lerp(float(a), float(b), t);
  return uint8_t(std::clamp(v + 0.5f, 0.0f, 255.0f));
}

// Colour channels in between are cut to whole values, not rounded (255 to 0 at ratio
// 43691 of 65535 is 84), as the movies were authored against.
uint8_t lerpChannel(uint8_t a, uint8_t b, float t) {
  return uint8_t(std::clamp(lerp(float(a), float(b), t), 0.0f, 255.0f));
}

Color lerpColor(Color a, Color b, float t) {
  return {lerpChannel(a.r, b.r, t), lerpChannel(a.g, b.g, t), lerpChannel(a.b, b.b, t), lerpChannel(a.a, b.a, t)};
}

Matrix lerpMatrix(const Matrix& a, const Matrix& b, float t) {
  return {lerp(a.a, b.a, t), lerp(a.b, b.b, t), lerp(a.c, b.c, t),
          lerp(a.d, b.d, t), lerp(a.tx, b.tx, t), lerp(a.ty, b.ty, t)};
}

FillStyle lerpFill(const FillStyle& a, const FillStyle& b, float t) {
  FillStyle f = a;
  if (a.kind != b.kind) return f;
  f.color = lerpColor(a.color, b.color, t);
  f.bitmapMatrix = lerpMatrix(a.bitmapMatrix, b.bitmapMatrix, t);
  f.gradient.matrix = lerpMatrix(a.gradient.matrix, b.gradient.matrix, t);
  f.gradient.focal = lerp(a.gradient.focal, b.gradient.focal, t);
  size_t n = std::min(a.gradient.stops.size(), b.gradient.stops.size());
  f.gradient.stops.resize(n);
  for (size_t i = 0; i < n; ++i) {
    f.gradient.stops[i].ratio = lerp8(a.gradient.stops[i].ratio, b.gradient.stops[i].ratio, t);
    f.gradient.stops[i].color = lerpColor(a.gradient.stops[i].color, b.gradient.stops[i].color, t);
  }
  if (f.gradient.stops.empty()) f.gradient.stops.push_back({0, {0, 0, 0, 0}});
  return f;
}

}  // namespace

ShapeOutline MorphShapeDef::at(uint16_t ratio) const {
  float t = float(ratio) / 65535.0f;
  ShapeOutline out;
  out.groups = start.groups;
  if (!out.groups.empty()) {
    StyleGroup& g = out.groups[0];
    for (size_t i = 0; i < g.fills.size() && i < endFills.size(); ++i)
      g.fills[i] = lerpFill(g.fills[i], endFills[i], t);
    for (size_t i = 0; i < g.lines.size() && i < endLines.size(); ++i) {
      g.lines[i].stroke.width = lerp(g.lines[i].stroke.width, endLines[i].stroke.width, t);
      g.lines[i].fill = lerpFill(g.lines[i].fill, endLines[i].fill, t);
    }
  }
  out.edges = start.edges;
  size_t n = std::min(out.edges.size(), endEdges.size());
  for (size_t i = 0; i < n; ++i) {
    Edge& e = out.edges[i];
    const Edge& f = endEdges[i];
    e.x0 = lerp(e.x0, f.x0, t);
    e.y0 = lerp(e.y0, f.y0, t);
    e.cx = lerp(e.cx, f.cx, t);
    e.cy = lerp(e.cy, f.cy, t);
    e.x1 = lerp(e.x1, f.x1, t);
    e.y1 = lerp(e.y1, f.y1, t);
    e.curve = e.curve || f.curve;
  }
  return out;
}

}  // namespace movie::format

namespace movie::format {

bool parseGlyphShape(const uint8_t* data, size_t size, ShapeOutline& out, std::string& error) {
  io::BitReader r(data, size);
  BitmapLookup none;
  StyleReader styles{r, 3, none};
  StyleGroup g;
  g.fills.push_back(FillStyle{});  // the glyph's one fill: the text colour replaces it
  out.groups.push_back(std::move(g));
  return readRecords(r, styles, false, out, error);
}

}  // namespace movie::format
