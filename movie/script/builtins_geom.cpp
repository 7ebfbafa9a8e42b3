// flash.geom.Rectangle, as far as clips need it: the scroll rectangle is given and
// read back as one.
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
  m.setMember(package(m, package(m, m.global(), "flash"), "geom"), "Rectangle", rectangle);
}

Object* newRectangle(Machine& m, double x, double y, double width, double height) {
  Object* o = m.newObject();
  if (Object* proto = rectanglePrototype(m)) o->setProto(proto);
  setRectangle(m, o, x, y, width, height);
  return o;
}

}  // namespace movie::script
