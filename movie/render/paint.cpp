// Source colours for spans (solid, gradients, bitmaps) and source-over compositing.
#include "movie/render/paint.h"

#include <algorithm>
#include <cmath>

#include "movie/render/pixel.h"

namespace movie::render::detail {

namespace {

constexpr double kGradientHalf = 16384;  // gradient square is -16384..16384
constexpr double kGradientSampleOffset = 0.5;

bool invert(const Matrix& paintToPath, const Matrix& toDevice, double out[6]) {
  // Composed in double: gradient matrices are tiny (1/20 and less), devices large.
  const Matrix& m = paintToPath;
  const Matrix& o = toDevice;
  double a = double(o.a) * m.a + double(o.c) * m.b, b = double(o.b) * m.a + double(o.d) * m.b;
  double c = double(o.a) * m.c + double(o.c) * m.d, d = double(o.b) * m.c + double(o.d) * m.d;
  double tx = double(o.a) * m.tx + double(o.c) * m.ty + o.tx, ty = double(o.b) * m.tx + double(o.d) * m.ty + o.ty;
  double det = a * d - b * c;
  if (!std::isfinite(det) || std::fabs(det) < 1e-18) return false;
  out[0] = d / det, out[1] = -b / det, out[2] = -c / det, out[3] = a / det;
  out[4] = -(out[0] * tx + out[2] * ty);
  out[5] = -(out[1] * tx + out[3] * ty);
  for (int i = 0; i < 6; ++i)
    if (!std::isfinite(out[i])) return false;
  return true;
}

bool isIdentity(const ColorTransform& t) {
  return t.rm == 1 && t.gm == 1 && t.bm == 1 && t.am == 1 && t.ra == 0 && t.ga == 0 && t.ba == 0 && t.aa == 0;
}

// Premultiplied bilinear blend of four pixels with 8-bit fractions fx, fy: four weights
// summing to 256, two channels per multiply.
inline uint32_t bilerp(uint32_t p00, uint32_t p10, uint32_t p01, uint32_t p11, unsigned fx, unsigned fy) {
  unsigned w11 = (fx * fy + 128) >> 8, w10 = fx - w11, w01 = fy - w11, w00 = 256 - fx - fy + w11;
  uint32_t rb = ((p00 & 0x00FF00FFu) * w00 + (p10 & 0x00FF00FFu) * w10 + (p01 & 0x00FF00FFu) * w01 +
                 (p11 & 0x00FF00FFu) * w11) >> 8;
  uint32_t ag = ((p00 >> 8) & 0x00FF00FFu) * w00 + ((p10 >> 8) & 0x00FF00FFu) * w10 +
                ((p01 >> 8) & 0x00FF00FFu) * w01 + ((p11 >> 8) & 0x00FF00FFu) * w11;
  return (rb & 0x00FF00FFu) | (ag & 0xFF00FF00u);
}

// Wraps or clamps an integer texel coordinate into 0..size-1.
inline int64_t wrapCoord(int64_t v, int64_t size, bool repeat) {
  if (repeat) {
    v %= size;
    return v < 0 ? v + size : v;
  }
  return v < 0 ? 0 : v >= size ? size - 1 : v;
}

}  // namespace

Painter::Painter(const Paint& paint, const DrawState& state) : ct_(state.colorTransform) {
  ctIdentity_ = isIdentity(ct_);
  ctAlphaOnly_ = !ctIdentity_ && ct_.rm == 1 && ct_.gm == 1 && ct_.bm == 1 && ct_.ra == 0 && ct_.ga == 0 &&
                 ct_.ba == 0 && ct_.aa == 0 && ct_.am >= 0 && ct_.am <= 1;
  double inv[6];
  if (const Color* c = std::get_if<Color>(&paint)) {
    kind_ = Kind::Solid;
    solid_ = premultiply(ct_.apply(*c));
  } else if (const Gradient* g = std::get_if<Gradient>(&paint)) {
    ramp_.build(*g, ct_);
    spread_ = g->spread;
    focal_ = std::clamp(double(g->focal), -0.98, 0.98);
    if (!(focal_ == focal_)) focal_ = 0;
    if (invert(g->matrix, state.toDevice, inv)) {
      kind_ = g->kind == Gradient::Linear ? Kind::Linear : g->kind == Gradient::Radial ? Kind::Radial : Kind::Focal;
      inverse_ = {inv[0], inv[1], inv[2], inv[3], inv[4], inv[5]};
    } else {
      // A gradient squeezed to nothing shows its last colour.
      kind_ = Kind::Solid;
      solid_ = ramp_.last();
    }
  } else if (const BitmapFill* f = std::get_if<BitmapFill>(&paint)) {
    const Bitmap* bm = f->bitmap.get();
    if (bm && bm->width > 0 && bm->height > 0 && bm->pixels.size() >= size_t(bm->width) * bm->height &&
        invert(f->matrix, f->bend ? Matrix{} : state.toDevice, inv)) {
      kind_ = Kind::Bitmap;
      bitmap_ = bm;
      repeat_ = f->repeat;
      // Smoothing follows the fill's flag alone: the reference images smooth such fills
      // without anti-aliasing too.
      smooth_ = f->smooth;
      inverse_ = {inv[0], inv[1], inv[2], inv[3], inv[4], inv[5]};
      if (f->bend) {
        bend_ = f->bend.get();
        if (invert(Matrix{}, state.toDevice, inv)) pathInverse_ = {inv[0], inv[1], inv[2], inv[3], inv[4], inv[5]};
        else kind_ = Kind::Nothing;
      }
    }
  }
  if (kind_ == Kind::Solid && solid_ == 0) kind_ = Kind::Nothing;
}

void Painter::fetch(int x, int y, int len, uint32_t* out) const {
  if (kind_ == Kind::Bitmap) {
    if (bend_) fetchBentBitmap(x, y, len, out);
    else fetchBitmap(x, y, len, out);
    if (!ctIdentity_) transformColors(out, len);
  } else {
    fetchGradient(x, y, len, out);
  }
}

// The spread mode and whether exact colours are looked for are fixed per call, so that
// the pixel loops carry no choice: exact colours only when the ramp has steep stretches,
// smooth ramps keep the plain table lookup.
void Painter::fetchGradient(int x, int y, int len, uint32_t* out) const {
  const bool exact = ramp_.hasSteps();
  if (spread_ == Spread::Pad) {
    if (exact) fetchGradientPositions<true, Spread::Pad>(x, y, len, out);
    else fetchGradientPositions<false, Spread::Pad>(x, y, len, out);
  } else if (spread_ == Spread::Repeat) {
    if (exact) fetchGradientPositions<true, Spread::Repeat>(x, y, len, out);
    else fetchGradientPositions<false, Spread::Repeat>(x, y, len, out);
  } else {
    if (exact) fetchGradientPositions<true, Spread::Reflect>(x, y, len, out);
    else fetchGradientPositions<false, Spread::Reflect>(x, y, len, out);
  }
}

template <bool kExact, Spread kSpread>
void Painter::fetchGradientPositions(int x, int y, int len, uint32_t* out) const {
  auto colour = [this](int64_t t) {
    if (!kExact && kSpread == Spread::Pad) return ramp_.entryAt(t);  // it pads by itself
    const int64_t p = spreadPosition(t, kSpread);
    return kExact ? ramp_.colourAt(p) : ramp_.entryAt(p);
  };
  const Affine& m = inverse_;
  // Paint-space position of the first pixel's centre, in units of the gradient's radius.
  double px = x + kGradientSampleOffset, py = y + kGradientSampleOffset;
  double gx = (m.a * px + m.c * py + m.tx) / kGradientHalf, gy = (m.b * px + m.d * py + m.ty) / kGradientHalf;
  double sx = m.a / kGradientHalf, sy = m.b / kGradientHalf;
  if (kind_ == Kind::Linear) {
    // Stepping in fixed point: t is affine along the row.
    int64_t t = toRampFixed((gx + 1) / 2), dt = toRampFixed(sx / 2);
    if (dt > (kRampOne << 12) || dt < -(kRampOne << 12)) {
      for (int i = 0; i < len; ++i) out[i] = colour(toRampFixed((gx + 1) / 2 + sx / 2 * i));
      return;
    }
    if (!kExact && kSpread == Spread::Pad) {
      ramp_.padRow(t, dt, len, out);
      return;
    }
    for (int i = 0; i < len; ++i, t += dt) out[i] = colour(t);
  } else if (kind_ == Kind::Radial) {
    for (int i = 0; i < len; ++i, gx += sx, gy += sy) out[i] = colour(toRampFixed(std::sqrt(gx * gx + gy * gy)));
  } else {
    // The ray from the focus F through the pixel meets the unit circle at F + D / t.
    const double f = focal_, k = 1 - f * f;
    for (int i = 0; i < len; ++i, gx += sx, gy += sy) {
      double dx = gx - f, dy = gy, dd = dx * dx + dy * dy, fd = f * dx;
      double den = std::sqrt(fd * fd + dd * k) - fd;
      out[i] = colour(toRampFixed(den > 0 ? dd / den : 0));
    }
  }
}

void Painter::fetchBitmap(int x, int y, int len, uint32_t* out) const {
  const Affine& m = inverse_;
  const int64_t w = bitmap_->width, h = bitmap_->height;
  const uint32_t* px = bitmap_->pixels.data();
  double cx = x + 0.5, cy = y + 0.5;
  double u = m.a * cx + m.c * cy + m.tx, v = m.b * cx + m.d * cy + m.ty;
  if (smooth_) u -= 0.5, v -= 0.5;  // texel centres sit at half-integers
  // 16.16 fixed point stepping; positions are clamped far outside any bitmap first,
  // which leaves clamped sampling unchanged and repeats nearly so.
  static constexpr double kLimit = double(int64_t(1) << 30);
  auto fix = [](double d) { return int64_t(std::llround(std::clamp(d, -kLimit, kLimit) * 65536.0)); };
  int64_t fu = fix(u), fv = fix(v);
  const int64_t du = fix(m.a), dv = fix(m.b);
  // When every sample of the run (and its right and lower neighbour) lies inside the
  // bitmap, which the ends decide since the mapping is affine, no wrapping is needed.
  const int64_t lastU = fu + du * (len - 1), lastV = fv + dv * (len - 1);
  const int64_t reach = smooth_ ? 1 : 0;
  auto inside = [&](int64_t a, int64_t b, int64_t size) {
    return std::min(a, b) >= 0 && (std::max(a, b) >> 16) + reach < size;
  };
  if (inside(fu, lastU, w) && inside(fv, lastV, h)) {
    if (!smooth_) {
      for (int i = 0; i < len; ++i, fu += du, fv += dv) out[i] = px[(fv >> 16) * w + (fu >> 16)];
      return;
    }
    for (int i = 0; i < len; ++i, fu += du, fv += dv) {
      const uint32_t* t = px + (fv >> 16) * w + (fu >> 16);
      out[i] = bilerp(t[0], t[1], t[w], t[w + 1], unsigned(fu >> 8) & 255, unsigned(fv >> 8) & 255);
    }
    return;
  }
  if (repeat_) {
    // Positions kept inside one period while stepping: no division per pixel.
    const int64_t pw = w << 16, ph = h << 16;
    auto reduce = [](int64_t v, int64_t period) {
      v %= period;
      return v < 0 ? v + period : v;
    };
    fu = reduce(fu, pw), fv = reduce(fv, ph);
    const int64_t su = reduce(du, pw), sv = reduce(dv, ph);
    for (int i = 0; i < len; ++i) {
      int64_t x0 = fu >> 16, y0 = fv >> 16;
      if (!smooth_) {
        out[i] = px[y0 * w + x0];
      } else {
        int64_t x1 = x0 + 1 == w ? 0 : x0 + 1, y1 = y0 + 1 == h ? 0 : y0 + 1;
        out[i] = bilerp(px[y0 * w + x0], px[y0 * w + x1], px[y1 * w + x0], px[y1 * w + x1], unsigned(fu >> 8) & 255,
                        unsigned(fv >> 8) & 255);
      }
      fu += su;
      if (fu >= pw) fu -= pw;
      fv += sv;
      if (fv >= ph) fv -= ph;
    }
    return;
  }
  for (int i = 0; i < len; ++i, fu += du, fv += dv) {
    int64_t iu = fu >> 16, iv = fv >> 16;
    int64_t x0 = wrapCoord(iu, w, false), y0 = wrapCoord(iv, h, false);
    if (!smooth_) {
      out[i] = px[y0 * w + x0];
      continue;
    }
    int64_t x1 = wrapCoord(iu + 1, w, false), y1 = wrapCoord(iv + 1, h, false);
    out[i] = bilerp(px[y0 * w + x0], px[y0 * w + x1], px[y1 * w + x0], px[y1 * w + x1], unsigned(fu >> 8) & 255,
                    unsigned(fv >> 8) & 255);
  }
}

// Each pixel's centre taken back through the bend: the mapping is not affine along a row.
void Painter::fetchBentBitmap(int x, int y, int len, uint32_t* out) const {
  const Affine& p = pathInverse_;
  const Affine& m = inverse_;
  double cy = y + 0.5;
  for (int i = 0; i < len; ++i) {
    double cx = x + i + 0.5;
    double bx = bend_->x.unbend(p.a * cx + p.c * cy + p.tx), by = bend_->y.unbend(p.b * cx + p.d * cy + p.ty);
    double u = m.a * bx + m.c * by + m.tx, v = m.b * bx + m.d * by + m.ty;
    if (smooth_) u -= 0.5, v -= 0.5;
    out[i] = sampleClamped(u, v);
  }
}

// The texel (or bilinear blend) at (u, v), wrapped or clamped as the fill asks.
uint32_t Painter::sampleClamped(double u, double v) const {
  static constexpr double kLimit = double(int64_t(1) << 30);
  const int64_t w = bitmap_->width, h = bitmap_->height;
  const uint32_t* px = bitmap_->pixels.data();
  if (!(u == u) || !(v == v)) u = v = 0;
  int64_t fu = int64_t(std::llround(std::clamp(u, -kLimit, kLimit) * 256.0));
  int64_t fv = int64_t(std::llround(std::clamp(v, -kLimit, kLimit) * 256.0));
  int64_t iu = fu >> 8, iv = fv >> 8;
  int64_t x0 = wrapCoord(iu, w, repeat_), y0 = wrapCoord(iv, h, repeat_);
  if (!smooth_) return px[y0 * w + x0];
  int64_t x1 = wrapCoord(iu + 1, w, repeat_), y1 = wrapCoord(iv + 1, h, repeat_);
  return bilerp(px[y0 * w + x0], px[y0 * w + x1], px[y1 * w + x0], px[y1 * w + x1], unsigned(fu) & 255,
                unsigned(fv) & 255);
}

void Painter::transformColors(uint32_t* px, int len) const {
  if (ctAlphaOnly_) {
    unsigned a = unsigned(ct_.am * 255 + 0.5f);
    for (int i = 0; i < len; ++i) px[i] = scalePixel(px[i], a);
    return;
  }
  for (int i = 0; i < len; ++i) px[i] = premultiply(ct_.apply(unpremultiply(px[i])));
}

void Painter::paintRow(uint32_t* dst, int y, const Span* spans, size_t count, const uint8_t* clip) {
  if (kind_ == Kind::Nothing) return;
  for (size_t s = 0; s < count; ++s) {
    const Span& sp = spans[s];
    uint32_t* d = dst + sp.x;
    const uint8_t* cov = sp.covers;
    const uint8_t* mk = clip ? clip + sp.x : nullptr;
    const int len = sp.len;
    if (kind_ == Kind::Solid) {
      const uint32_t src = solid_;
      if (!cov && !mk) {
        if (sp.alpha == 255 && (src >> 24) == 255) {
          std::fill(d, d + len, src);
        } else {
          const uint32_t s2 = sp.alpha == 255 ? src : scalePixel(src, unsigned(sp.alpha));
          for (int i = 0; i < len; ++i) d[i] = srcOver(d[i], s2);
        }
        continue;
      }
      for (int i = 0; i < len; ++i) {
        unsigned a = cov ? cov[i] : unsigned(sp.alpha);
        if (mk) a = mul255(a, mk[i]);
        if (a) d[i] = srcOver(d[i], a == 255 ? src : scalePixel(src, a));
      }
      continue;
    }
    if (buffer_.size() < size_t(len)) buffer_.resize(size_t(len));
    uint32_t* src = buffer_.data();
    fetch(sp.x, y, len, src);
    if (!cov && !mk && sp.alpha == 255) {
      for (int i = 0; i < len; ++i) {
        uint32_t p = src[i];
        d[i] = (p >> 24) == 255 ? p : srcOver(d[i], p);
      }
      continue;
    }
    for (int i = 0; i < len; ++i) {
      unsigned a = cov ? cov[i] : unsigned(sp.alpha);
      if (mk) a = mul255(a, mk[i]);
      if (a) d[i] = srcOver(d[i], a == 255 ? src[i] : scalePixel(src[i], a));
    }
  }
}

}  // namespace movie::render::detail
