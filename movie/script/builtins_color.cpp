// Color: tints a clip through its colour transform. The clip is the object's `target`
// member (a clip, or a path resolved from the calling timeline each time), so a script
// that changes target retints another clip. Factors and offsets are kept as the
// placement tags keep them: factors in 8.8 fixed point, both in 16 bits.
#include <cmath>
#include <cstdint>

#include "movie/script/activation.h"
#include "movie/script/builtins.h"
#include "movie/script/machine.h"

namespace movie::script {
namespace {

// A percentage as an 8.8 factor in 16 bits.
float factorOf(Machine& m, const Value& percent) {
  return float(int16_t(toInt32(m.toNumber(percent) * 256 / 100))) / 256.0f;
}

float offsetOf(Machine& m, const Value& v) { return float(int16_t(toInt32(m.toNumber(v)))); }

DisplayNode* targetNode(Machine& m, const CallArgs& a) {
  Object* self = a.self.object();
  if (!self) return nullptr;
  Value target = m.getMember(self, "target");
  if (DisplayNode* n = m.nodeOf(target)) return n;
  if (!target.isString() || target.string().empty()) return nullptr;
  Object* from = m.current() ? m.current()->target : nullptr;
  return from ? m.nodeOf(m.resolveTarget(from, m.toString(target))) : nullptr;
}

Value getTransform(Machine& m, CallArgs& a) {
  DisplayNode* n = targetNode(m, a);
  if (!n) return Value();
  ColorTransform c = n->colorTransform();
  Object* out = m.newObject();
  const std::pair<const char*, float> fields[] = {{"ra", c.rm * 100}, {"rb", c.ra}, {"ga", c.gm * 100}, {"gb", c.ga},
                                                  {"ba", c.bm * 100}, {"bb", c.ba}, {"aa", c.am * 100}, {"ab", c.aa}};
  for (const auto& [name, value] : fields) m.setMember(out, name, double(value));
  return out;
}

Value setTransform(Machine& m, CallArgs& a) {
  DisplayNode* n = targetNode(m, a);
  Object* in = a.arg(0).object();
  if (!n || !in) return Value();
  ColorTransform c = n->colorTransform();
  const std::pair<const char*, float*> factors[] = {{"ra", &c.rm}, {"ga", &c.gm}, {"ba", &c.bm}, {"aa", &c.am}};
  const std::pair<const char*, float*> offsets[] = {{"rb", &c.ra}, {"gb", &c.ga}, {"bb", &c.ba}, {"ab", &c.aa}};
  // Only the fields the object has itself change (inherited ones are ignored).
  for (const auto& [name, field] : factors)
    if (in->findOwn(name)) *field = factorOf(m, m.getMember(in, name));
  for (const auto& [name, field] : offsets)
    if (in->findOwn(name)) *field = offsetOf(m, m.getMember(in, name));
  n->setColorTransform(c);
  return Value();
}

Value setRgb(Machine& m, CallArgs& a) {
  DisplayNode* n = targetNode(m, a);
  if (!n || a.size() == 0) return Value();
  int32_t rgb = toInt32(m.toNumber(a.arg(0)));
  ColorTransform c = n->colorTransform();
  c.rm = c.gm = c.bm = 0;
  c.ra = float((rgb >> 16) & 0xFF);
  c.ga = float((rgb >> 8) & 0xFF);
  c.ba = float(rgb & 0xFF);
  n->setColorTransform(c);
  return Value();
}

Value getRgb(Machine& m, CallArgs& a) {
  DisplayNode* n = targetNode(m, a);
  if (!n) return Value();
  ColorTransform c = n->colorTransform();
  // Signed offsets combine as the integers they are: a negative one sets the high bits.
  int32_t rgb = int32_t(uint32_t(int32_t(c.ra)) << 16) | int32_t(uint32_t(int32_t(c.ga)) << 8) | int32_t(c.ba);
  return double(rgb);
}

}  // namespace

void installColorBuiltins(Machine& m) {
  m.makeClass("Color", [](Machine& m, CallArgs& a) -> Value {
    Object* self = a.self.object();
    if (!a.constructing || !self) return Value();
    m.setMember(self, "target", a.arg(0));
    return a.self;
  });
  Object* proto = m.prototypeOf("Color");
  m.method(proto, "getTransform", getTransform);
  m.method(proto, "setTransform", setTransform);
  m.method(proto, "getRGB", getRgb);
  m.method(proto, "setRGB", setRgb);
}

}  // namespace movie::script
