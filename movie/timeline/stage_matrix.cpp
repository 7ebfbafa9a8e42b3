#include "movie/timeline/stage_matrix.h"

namespace movie::timeline {
namespace {

constexpr int kMaxNesting = 64;

}  // namespace

Matrix placementToStage(const SpriteInstance& sprite) {
  Matrix m = sprite.matrix();
  int guard = 0;
  for (const SpriteInstance* p = sprite.parentSprite(); p && guard < kMaxNesting; p = p->parentSprite(), ++guard)
    m = p->parentSprite() ? m.then(p->withScroll(p->matrix())) : m.then(p->matrix());
  return m;
}

Matrix contentToStage(const SpriteInstance& sprite) {
  Matrix placement = placementToStage(sprite);
  return sprite.parentSprite() ? sprite.withScroll(placement) : placement;
}

}  // namespace movie::timeline
