// The convolution filter: each pixel's straight colour becomes the kernel-weighted sum of
// its neighbours' (columns x rows centred on it), divided, biased and clamped. Outside
// the layer the edge pixels repeat (clamp) or the default colour stands in.
#include <algorithm>
#include <cmath>
#include <vector>

#include "movie/render/filters.h"
#include "movie/render/pixel.h"

namespace movie::render {
namespace {

// Weighted samples per layer: a kernel too big for the layer is left undrawn rather
// than holding the frame up (31 x 31 over a 180 x 180 object is about this).
constexpr double kMaxWork = 32e6;

struct Cell {
  int dx, dy;
  float weight;
};

std::vector<Cell> cellsOf(const Filter& f) {
  std::vector<Cell> cells;
  for (int j = 0; j < f.matrixY; ++j)
    for (int i = 0; i < f.matrixX; ++i) {
      float w = f.kernel[size_t(j * f.matrixX + i)];
      if (w != 0 && std::isfinite(w)) cells.push_back({i - f.matrixX / 2, j - f.matrixY / 2, w});
    }
  return cells;
}


}  // namespace

void convolve(Surface& layer, const Filter& f) {
  if (f.matrixX <= 0 || f.matrixY <= 0 || f.kernel.size() != size_t(f.matrixX) * size_t(f.matrixY)) return;
  std::vector<Cell> cells = cellsOf(f);
  int w = layer.width(), h = layer.height();
  if (double(cells.size()) * w * h > kMaxWork) return;
  float divisor = std::isfinite(f.divisor) && f.divisor != 0 ? f.divisor : 1;
  float bias = std::isfinite(f.bias) ? f.bias : 0;
  std::vector<Color> src(size_t(w) * size_t(h));
  for (size_t i = 0; i < src.size(); ++i) src[i] = detail::unpremultiply(layer.pixels()[i]);
  auto at = [&](int x, int y) -> Color {
    if (x >= 0 && x < w && y >= 0 && y < h) return src[size_t(y) * w + x];
    if (!f.clamp) return f.defaultColor;
    return src[size_t(std::clamp(y, 0, h - 1)) * w + std::clamp(x, 0, w - 1)];
  };
  for (int y = 0; y < h; ++y) {
    uint32_t* row = layer.row(y);
    for (int x = 0; x < w; ++x) {
      float sum[4] = {0, 0, 0, 0};
      for (const Cell& c : cells) {
        Color s = at(x + c.dx, y + c.dy);
        sum[0] += c.weight * s.r;
        sum[1] += c.weight * s.g;
        sum[2] += c.weight * s.b;
        sum[3] += c.weight * s.a;
      }
      uint8_t a = f.preserveAlpha ? src[size_t(y) * w + x].a : detail::channelOf(sum[3] / divisor + bias);
      row[x] = detail::premultiply(
          {detail::channelOf(sum[0] / divisor + bias), detail::channelOf(sum[1] / divisor + bias),
           detail::channelOf(sum[2] / divisor + bias), a});
    }
  }
}

}  // namespace movie::render
