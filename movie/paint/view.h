#pragma once
// Where the stage lands in the viewport: shown whole with proportions kept and centred
// ("show all"), then magnified around viewport points by zoom steps.
#include "movie/format/records.h"
#include "movie/render/render.h"

namespace movie::paint {

class View {
 public:
  void setStage(const format::Rect& stageTwips) { stage_ = stageTwips; }
  void setViewport(int width, int height);
  void zoom(double factor, double x, double y);
  void showAll() { zoom_ = render::Matrix{}; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Stage twips -> viewport pixels.
  render::Matrix toDevice() const;
  // The stage rectangle in viewport pixels (left, top, right, bottom).
  void stageBox(float& left, float& top, float& right, float& bottom) const;

 private:
  format::Rect stage_;
  int width_ = 0, height_ = 0;
  render::Matrix zoom_;
};

}  // namespace movie::paint
