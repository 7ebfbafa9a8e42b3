#include "movie/paint/view.h"

#include <algorithm>

namespace movie::paint {

namespace {
constexpr float kMaxZoom = 64.0f;
using render::kTieShift;
}

void View::setViewport(int width, int height) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
}

void View::zoom(double factor, double x, double y) {
  if (!(factor > 0)) return;
  float total = zoom_.a * float(factor);
  if (total > kMaxZoom || total < 1.0f / kMaxZoom) return;
  render::Matrix step;
  step.a = step.d = float(factor);
  step.tx = float(x - x * factor);
  step.ty = float(y - y * factor);
  zoom_ = zoom_.then(step);
}

render::Matrix View::toDevice() const {
  float stageW = float(stage_.xMax - stage_.xMin) / 20.0f;
  float stageH = float(stage_.yMax - stage_.yMin) / 20.0f;
  render::Matrix m;
  if (stageW <= 0 || stageH <= 0 || width_ == 0 || height_ == 0) {
    m.a = m.d = 1.0f / 20.0f;
    return m.then(zoom_);
  }
  float s = std::min(float(width_) / stageW, float(height_) / stageH);
  m.a = m.d = s / 20.0f;
  m.tx = (float(width_) - stageW * s) / 2 - float(stage_.xMin) * s / 20.0f;
  m.ty = (float(height_) - stageH * s) / 2 - float(stage_.yMin) * s / 20.0f;
  m = m.then(zoom_);
  m.tx -= kTieShift;
  m.ty -= kTieShift;
  return m;
}

void View::stageBox(float& left, float& top, float& right, float& bottom) const {
  render::Matrix m = toDevice();
  left = float(stage_.xMin) * m.a + m.tx;
  top = float(stage_.yMin) * m.d + m.ty;
  right = float(stage_.xMax) * m.a + m.tx;
  bottom = float(stage_.yMax) * m.d + m.ty;
}

}  // namespace movie::paint
