#include "movie/focus_frame.h"

#include <algorithm>
#include <cmath>

namespace movie {
namespace {

constexpr uint32_t kFocusYellow = 0xFFFFFF00u;  // opaque, so the same premultiplied
constexpr int kFrameWidth = 2;

void fillDeviceRect(render::Surface& surface, int left, int top, int right, int bottom) {
  left = std::clamp(left, 0, surface.width()), right = std::clamp(right, 0, surface.width());
  top = std::clamp(top, 0, surface.height()), bottom = std::clamp(bottom, 0, surface.height());
  for (int y = top; y < bottom; ++y) std::fill(surface.row(y) + left, surface.row(y) + right, kFocusYellow);
}

// A device coordinate far off the surface stays far off, without overflowing an int.
int devicePixel(double v) { return int(std::lround(std::clamp(v, -1e6, 1e6))); }

}  // namespace

void drawFocusFrame(render::Surface& surface, const script::Bounds& box, const render::Matrix& toDevice) {
  if (box.empty) return;
  double xs[4], ys[4];
  int i = 0;
  for (double x : {box.xMin, box.xMax})
    for (double y : {box.yMin, box.yMax}) {
      xs[i] = toDevice.a * x + toDevice.c * y + toDevice.tx;
      ys[i++] = toDevice.b * x + toDevice.d * y + toDevice.ty;
    }
  int left = devicePixel(*std::min_element(xs, xs + 4)), right = devicePixel(*std::max_element(xs, xs + 4));
  int top = devicePixel(*std::min_element(ys, ys + 4)), bottom = devicePixel(*std::max_element(ys, ys + 4));
  const int w = kFrameWidth;
  fillDeviceRect(surface, left - w, top - w, right + w, top);        // above
  fillDeviceRect(surface, left - w, bottom, right + w, bottom + w);  // below
  fillDeviceRect(surface, left - w, top, left, bottom);              // left
  fillDeviceRect(surface, right, top, right + w, bottom);            // right
}

}  // namespace movie
