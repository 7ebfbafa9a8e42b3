// MovieClip's drawing methods: they read their arguments (pixels, colours, alphas in
// percent) and feed the clip's drawing, which keeps what is drawn.
#include <algorithm>
#include <cmath>

#include "movie/script/builtins.h"
#include "movie/script/gradient_args.h"
#include "movie/script/machine.h"

namespace movie::script {
namespace {

DrawingPen* penOf(Machine& m, const CallArgs& a) {
  DisplayNode* n = m.nodeOf(a.self);
  return n ? n->drawingPen() : nullptr;
}

// A colour number and an alpha percentage (100 when not given).
Color colorOf(Machine& m, const Value& rgbValue, const Value& alphaValue) {
  uint32_t rgb = toUint32(m.toNumber(rgbValue));
  double alpha = alphaValue.isUndefined() ? 100 : m.toNumber(alphaValue);
  if (std::isnan(alpha)) alpha = 0;
  return Color{uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb), uint8_t(std::lround(std::clamp(alpha, 0.0, 100.0) * 2.55))};
}

double twips(Machine& m, const Value& v) { return m.toNumber(v) * 20; }

StrokeScaling scalingOf(const std::string& name) {
  if (name == "none") return StrokeScaling::None;
  if (name == "vertical") return StrokeScaling::Vertical;
  if (name == "horizontal") return StrokeScaling::Horizontal;
  return StrokeScaling::Normal;
}

// lineStyle(thickness, rgb, alpha, pixelHinting, noScale, capsStyle, jointStyle,
// miterLimit): thickness in pixels, 0 a hairline; no thickness, no line.
Value lineStyle(Machine& m, CallArgs& a) {
  DrawingPen* pen = penOf(m, a);
  if (!pen) return Value();
  if (a.arg(0).isUndefined()) {
    pen->lineStyle(nullptr, Color{});
    return Value();
  }
  double thickness = m.toNumber(a.arg(0));
  StrokeStyle stroke;
  stroke.width = float(std::clamp(std::isnan(thickness) ? 0.0 : thickness, 0.0, 255.0) * 20);
  if (a.size() > 4) stroke.scaling = scalingOf(m.toString(a.arg(4)));
  if (a.size() > 5) {
    std::string caps = m.toString(a.arg(5));
    stroke.startCap = stroke.endCap = caps == "none" ? Cap::None : caps == "square" ? Cap::Square : Cap::Round;
  }
  if (a.size() > 6) {
    std::string joint = m.toString(a.arg(6));
    stroke.join = joint == "miter" ? Join::Miter : joint == "bevel" ? Join::Bevel : Join::Round;
  }
  if (a.size() > 7) {
    double limit = m.toNumber(a.arg(7));
    stroke.miterLimit = float(std::clamp(std::isnan(limit) ? 3.0 : limit, 1.0, 255.0));
  }
  pen->lineStyle(&stroke, colorOf(m, a.arg(1), a.arg(2)));
  return Value();
}

void styleMethods(Machine& m, Object* proto) {
  m.method(proto, "lineStyle", lineStyle);
  m.method(proto, "lineGradientStyle", [](Machine& m, CallArgs& a) -> Value {
    Gradient g;
    if (DrawingPen* pen = penOf(m, a); pen && gradientFromArgs(m, a, g)) pen->lineGradient(g);
    return Value();
  });
  // No colour: the fill ends and none begins.
  m.method(proto, "beginFill", [](Machine& m, CallArgs& a) -> Value {
    DrawingPen* pen = penOf(m, a);
    if (!pen) return Value();
    if (a.arg(0).isUndefined()) pen->endFill();
    else pen->beginFill(colorOf(m, a.arg(0), a.arg(1)));
    return Value();
  });
  m.method(proto, "beginGradientFill", [](Machine& m, CallArgs& a) -> Value {
    DrawingPen* pen = penOf(m, a);
    if (!pen) return Value();
    Gradient g;
    if (gradientFromArgs(m, a, g)) pen->beginFill(g);
    else pen->endFill();
    return Value();
  });
  m.method(proto, "endFill", [](Machine& m, CallArgs& a) -> Value {
    if (DrawingPen* pen = penOf(m, a)) pen->endFill();
    return Value();
  });
  m.method(proto, "clear", [](Machine& m, CallArgs& a) -> Value {
    if (DrawingPen* pen = penOf(m, a)) pen->clear();
    return Value();
  });
}

void penMethods(Machine& m, Object* proto) {
  m.method(proto, "moveTo", [](Machine& m, CallArgs& a) -> Value {
    if (DrawingPen* pen = penOf(m, a); pen && a.size() >= 2) pen->moveTo(twips(m, a.arg(0)), twips(m, a.arg(1)));
    return Value();
  });
  m.method(proto, "lineTo", [](Machine& m, CallArgs& a) -> Value {
    if (DrawingPen* pen = penOf(m, a); pen && a.size() >= 2) pen->lineTo(twips(m, a.arg(0)), twips(m, a.arg(1)));
    return Value();
  });
  m.method(proto, "curveTo", [](Machine& m, CallArgs& a) -> Value {
    if (DrawingPen* pen = penOf(m, a); pen && a.size() >= 4)
      pen->curveTo(twips(m, a.arg(0)), twips(m, a.arg(1)), twips(m, a.arg(2)), twips(m, a.arg(3)));
    return Value();
  });
}

}  // namespace

void installDrawingMethods(Machine& m, Object* clipPrototype) {
  styleMethods(m, clipPrototype);
  penMethods(m, clipPrototype);
}

}  // namespace movie::script
