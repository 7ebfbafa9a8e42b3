// flash.geom.Rectangle and Matrix, as far as clips need them: the scroll rectangle is
// given and read back as a Rectangle; gradient fills are placed with a Matrix.
#include <cmath>

#include "movie/script/builtins.h"
#include "movie/script/machine.h"

namespace movie::script {
namespace {

Object* rectanglePrototype(Machine& m) {
  Object* flash = m.getMember(m.global(), "flash").object();
  Object* geom = flash ? m.getMember(flash, "geom").object() : nullptr;
  Object* ctor = geom ? m.getMember(geom, "Rectangle").object() : nullptr;
  return ctor ? m.getMember(ctor, "prototype").object() : nullptr;
}

void setRectangle(Machine& m, Object* o, double x, double y, double w, double h) {
  m.setMember(o, "x", x);
  m.setMember(o, "y", y);
  m.setMember(o, "width", w);
  m.setMember(o, "height", h);
}

Object* package(Machine& m, Object* parent, const char* name) {
  Object* p = m.getMember(parent, name).object();
  if (p) return p;
  p = m.newObject();
  m.setMember(parent, name, p);
  return p;
}

// a, b, c, d, tx, ty; the identity unless given.
void installMatrix(Machine& m, Object* geom) {
  static const char* const kFields[] = {"a", "b", "c", "d", "tx", "ty"};
  Function* matrix = m.makeClass("", [](Machine& m, CallArgs& a) -> Value {
    Object* self = a.self.object();
    if (!self) return Value();
    const double identity[] = {1, 0, 0, 1, 0, 0};
    for (size_t i = 0; i < 6; ++i) m.setMember(self, kFields[i], a.size() ? m.toNumber(a.arg(i)) : identity[i]);
    return Value();
  });
  Object* proto = m.getMember(matrix, "prototype").object();
  m.method(proto, "toString", [](Machine& m, CallArgs& a) -> Value {
    Object* self = a.self.object();
    if (!self) return Value();
    std::string out = "(";
    for (size_t i = 0; i < 6; ++i)
      out += std::string(i ? ", " : "") + kFields[i] + "=" + m.toString(m.getMember(self, kFields[i]));
    return out + ")";
  });
  // The placement that spreads a gradient over a box (pixels), turned about its centre.
  m.method(proto, "createGradientBox", [](Machine& m, CallArgs& a) -> Value {
    Object* self = a.self.object();
    if (!self) return Value();
    auto num = [&](size_t i) { return a.size() > i ? m.toNumber(a.arg(i)) : 0.0; };
    double w = num(0), h = num(1), r = num(2);
    const double values[] = {std::cos(r) * w / 1638.4, std::sin(r) * h / 1638.4, -std::sin(r) * w / 1638.4,
                             std::cos(r) * h / 1638.4, num(3) + w / 2, num(4) + h / 2};
    for (size_t i = 0; i < 6; ++i) m.setMember(self, kFields[i], values[i]);
    return Value();
  });
  m.setMember(geom, "Matrix", matrix);
}

}  // namespace

void installGeomBuiltins(Machine& m) {
  Function* rectangle = m.makeClass("", [](Machine& m, CallArgs& a) -> Value {
    if (Object* self = a.self.object()) {
      auto num = [&](size_t i) { return a.size() > i ? m.toNumber(a.arg(i)) : 0.0; };
      setRectangle(m, self, num(0), num(1), num(2), num(3));
    }
    return Value();
  });
  Object* proto = m.getMember(rectangle, "prototype").object();
  m.method(proto, "toString", [](Machine& m, CallArgs& a) -> Value {
    Object* self = a.self.object();
    if (!self) return Value();
    auto part = [&](const char* name) { return m.toString(m.getMember(self, name)); };
    return "(x=" + part("x") + ", y=" + part("y") + ", w=" + part("width") + ", h=" + part("height") + ")";
  });
  Object* geom = package(m, package(m, m.global(), "flash"), "geom");
  m.setMember(geom, "Rectangle", rectangle);
  installMatrix(m, geom);
}

Object* newRectangle(Machine& m, double x, double y, double width, double height) {
  Object* o = m.newObject();
  if (Object* proto = rectanglePrototype(m)) o->setProto(proto);
  setRectangle(m, o, x, y, width, height);
  return o;
}

}  // namespace movie::script
