#include "movie/script/gradient_args.h"

#include <algorithm>
#include <cmath>

#include "movie/script/machine.h"

namespace movie::script {
namespace {

// The gradient square is 32768 twips wide; placements given in pixels map a square one
// pixel wide, so they shrink by 32768 / 20.
constexpr double kSquarePixels = 1638.4;

double numberOf(Machine& m, Object* o, const char* name) {
  double v = m.toNumber(m.getMember(o, name));
  return std::isfinite(v) ? v : 0;
}

float clampedFloat(double v) { return float(std::clamp(v, -1e9, 1e9)); }

// Scale and turn terms are held as the file format holds them, in 16.16 fixed point cut
// toward zero: far from the gradient's centre the lost fraction moves rings and repeat
// seams by a visible part of a pixel.
float fixedTerm(double v) { return clampedFloat(std::trunc(std::clamp(v, -32768.0, 32767.0) * 65536) / 65536); }

// The three forms of the placement: {matrixType: "box", x, y, w, h, r} (a box in pixels,
// turned by r radians about its centre), a flash.geom.Matrix {a, b, c, d, tx, ty} (the
// gradient square as it is) and the 3 x 3 {a, b, d, e, g, h} (a square one pixel wide).
Matrix unfixedPlacementOf(Machine& m, Object* o) {
  Matrix out;
  if (m.toString(m.getMember(o, "matrixType")) == "box") {
    double x = numberOf(m, o, "x"), y = numberOf(m, o, "y"), w = numberOf(m, o, "w"), h = numberOf(m, o, "h");
    double r = numberOf(m, o, "r");
    out.a = clampedFloat(std::cos(r) * w / kSquarePixels);
    out.b = clampedFloat(std::sin(r) * h / kSquarePixels);
    out.c = clampedFloat(-std::sin(r) * w / kSquarePixels);
    out.d = clampedFloat(std::cos(r) * h / kSquarePixels);
    out.tx = clampedFloat((x + w / 2) * 20);
    out.ty = clampedFloat((y + h / 2) * 20);
    return out;
  }
  if (!m.getMember(o, "tx").isUndefined()) {
    out.a = clampedFloat(numberOf(m, o, "a"));
    out.b = clampedFloat(numberOf(m, o, "b"));
    out.c = clampedFloat(numberOf(m, o, "c"));
    out.d = clampedFloat(numberOf(m, o, "d"));
    out.tx = clampedFloat(numberOf(m, o, "tx") * 20);
    out.ty = clampedFloat(numberOf(m, o, "ty") * 20);
    return out;
  }
  out.a = clampedFloat(numberOf(m, o, "a") / kSquarePixels);
  out.b = clampedFloat(numberOf(m, o, "b") / kSquarePixels);
  out.c = clampedFloat(numberOf(m, o, "d") / kSquarePixels);
  out.d = clampedFloat(numberOf(m, o, "e") / kSquarePixels);
  out.tx = clampedFloat(numberOf(m, o, "g") * 20);
  out.ty = clampedFloat(numberOf(m, o, "h") * 20);
  return out;
}

Matrix placementOf(Machine& m, Object* o) {
  Matrix out = unfixedPlacementOf(m, o);
  out.a = fixedTerm(out.a);
  out.b = fixedTerm(out.b);
  out.c = fixedTerm(out.c);
  out.d = fixedTerm(out.d);
  return out;
}

double lengthOf(Machine& m, Object* array) {
  double n = m.toNumber(m.getMember(array, "length"));
  return std::isfinite(n) ? n : 0;
}

// Colours, alphas and ratios, one stop per entry; the arrays must be as long as each
// other and the ratios, taken as integers, within 0..255. Ratios never go back.
bool stopsOf(Machine& m, const CallArgs& a, std::vector<GradientStop>& out) {
  Object* colors = a.arg(1).object();
  Object* alphas = a.arg(2).object();
  Object* ratios = a.arg(3).object();
  if (!colors || !alphas || !ratios) return false;
  double n = lengthOf(m, colors);
  if (n < 1 || lengthOf(m, alphas) != n || lengthOf(m, ratios) != n) return false;
  size_t count = size_t(std::min(n, double(kMaxGradientStops)));
  int lastRatio = 0;
  for (size_t i = 0; i < count; ++i) {
    std::string index = std::to_string(i);
    uint32_t rgb = toUint32(m.toNumber(m.getMember(colors, index)));
    double alpha = m.toNumber(m.getMember(alphas, index));
    int32_t ratio = toInt32(m.toNumber(m.getMember(ratios, index)));
    if (ratio < 0 || ratio > 255) return false;
    GradientStop stop;
    stop.color = Color{uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb),
                       uint8_t(std::lround(std::clamp(std::isnan(alpha) ? 0.0 : alpha, 0.0, 100.0) * 2.55))};
    lastRatio = std::max(lastRatio, int(ratio));
    stop.ratio = uint8_t(lastRatio);
    out.push_back(stop);
  }
  return true;
}

}  // namespace

bool gradientFromArgs(Machine& m, const CallArgs& a, Gradient& out) {
  std::string kind = m.toString(a.arg(0));
  if (kind != "linear" && kind != "radial") return false;
  if (a.size() > 8 || !a.arg(4).object()) return false;
  out = Gradient{};
  out.kind = kind == "linear" ? Gradient::Linear : Gradient::Radial;
  if (!stopsOf(m, a, out.stops)) return false;
  out.matrix = placementOf(m, a.arg(4).object());
  std::string spread = a.size() > 5 ? m.toString(a.arg(5)) : "";
  out.spread = spread == "reflect" ? Spread::Reflect : spread == "repeat" ? Spread::Repeat : Spread::Pad;
  if (a.size() > 6 && m.toString(a.arg(6)) == "linearRGB") out.interpolation = Interpolation::LinearRGB;
  double focal = a.size() > 7 ? m.toNumber(a.arg(7)) : 0;
  if (out.kind == Gradient::Radial && std::isfinite(focal) && focal != 0) {
    out.kind = Gradient::Focal;
    // Held as the file format holds it, in 8.8 fixed point, cut toward zero: near the
    // circle a thousandth of the focus moves the rings by pixels.
    out.focal = float(std::trunc(std::clamp(focal, -1.0, 1.0) * 256) / 256);
  }
  return true;
}

}  // namespace movie::script
