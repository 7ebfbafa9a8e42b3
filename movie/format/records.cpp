#include "movie/format/records.h"

namespace movie::format {

Rect readRect(io::BitReader& r) {
  r.align();
  int bits = int(r.ub(5));
  Rect rect;
  rect.xMin = r.sb(bits);
  rect.xMax = r.sb(bits);
  rect.yMin = r.sb(bits);
  rect.yMax = r.sb(bits);
  r.align();
  return rect;
}

Matrix readMatrix(io::BitReader& r) {
  r.align();
  Matrix m;
  if (r.ub(1)) {
    int bits = int(r.ub(5));
    m.a = r.fb(bits);
    m.d = r.fb(bits);
  }
  if (r.ub(1)) {
    int bits = int(r.ub(5));
    m.b = r.fb(bits);
    m.c = r.fb(bits);
  }
  int bits = int(r.ub(5));
  m.tx = float(r.sb(bits));
  m.ty = float(r.sb(bits));
  r.align();
  return m;
}

ColorTransform readColorTransform(io::BitReader& r, bool withAlpha) {
  r.align();
  ColorTransform c;
  bool hasAdd = r.ub(1);
  bool hasMult = r.ub(1);
  int bits = int(r.ub(4));
  if (hasMult) {
    c.rm = float(r.sb(bits)) / 256.0f;
    c.gm = float(r.sb(bits)) / 256.0f;
    c.bm = float(r.sb(bits)) / 256.0f;
    if (withAlpha) c.am = float(r.sb(bits)) / 256.0f;
  }
  if (hasAdd) {
    c.ra = float(r.sb(bits));
    c.ga = float(r.sb(bits));
    c.ba = float(r.sb(bits));
    if (withAlpha) c.aa = float(r.sb(bits));
  }
  r.align();
  return c;
}

Color readRgb(io::BitReader& r) {
  Color c;
  c.r = r.u8();
  c.g = r.u8();
  c.b = r.u8();
  c.a = 255;
  return c;
}

Color readRgba(io::BitReader& r) {
  Color c = readRgb(r);
  c.a = r.u8();
  return c;
}

}  // namespace movie::format
