#pragma once
// Span painting: a paint prepared once per draw (colour transformed, gradient ramp built,
// inverse matrices taken), then asked for the source colours of one run of pixels at a
// time and composited source-over with the run's coverage and the clip's.
#include <cstdint>
#include <vector>

#include "movie/render/ramp.h"
#include "movie/render/rasterizer.h"
#include "movie/render/render.h"

namespace movie::render::detail {

class Painter {
 public:
  Painter(const Paint& paint, const DrawState& state);

  // Composites the spans of row y into dst (the surface row); clip is the clip mask's row.
  void paintRow(uint32_t* dst, int y, const Span* spans, size_t count, const uint8_t* clip);

 private:
  enum class Kind { Solid, Linear, Radial, Focal, Bitmap, Nothing };
  // Inverse mapping device pixel -> paint space, in double.
  struct Affine {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
  };

  void fetch(int x, int y, int len, uint32_t* out) const;
  void fetchGradient(int x, int y, int len, uint32_t* out) const;
  template <bool kExact>
  void fetchGradientPositions(int x, int y, int len, uint32_t* out) const;
  void fetchBitmap(int x, int y, int len, uint32_t* out) const;
  void fetchBentBitmap(int x, int y, int len, uint32_t* out) const;
  uint32_t sampleClamped(double u, double v) const;
  void transformColors(uint32_t* px, int len) const;

  Kind kind_ = Kind::Nothing;
  uint32_t solid_ = 0;
  Ramp ramp_;  // filled only for gradients: left uninitialised for the common solid fill
  Spread spread_ = Spread::Pad;
  double focal_ = 0;
  Affine inverse_;
  // A bent bitmap: device pixel -> bent path space (pathInverse_), unbent, then inverse_.
  const Bend* bend_ = nullptr;
  Affine pathInverse_;
  const Bitmap* bitmap_ = nullptr;
  bool repeat_ = true, smooth_ = false;
  ColorTransform ct_;
  bool ctIdentity_ = true, ctAlphaOnly_ = false;
  std::vector<uint32_t> buffer_;
};

}  // namespace movie::render::detail
