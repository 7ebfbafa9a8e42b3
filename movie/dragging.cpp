#include "movie/dragging.h"

#include <algorithm>
#include <cmath>

#include "movie/timeline/stage_matrix.h"

namespace movie {
namespace {

constexpr int kMaxNesting = 64;

using timeline::SpriteInstance;

// The stage point in the coordinates of the clip's parent (the stage's for the root).
void pointerInParent(SpriteInstance& clip, double x, double y, double& px, double& py) {
  const SpriteInstance* parent = clip.parentSprite();
  Matrix back = parent ? timeline::contentToStage(*parent).inverted() : Matrix();
  px = back.a * x + back.c * y + back.tx;
  py = back.b * x + back.d * y + back.ty;
}

}  // namespace

SpriteInstance* Dragging::dragged() {
  if (!clip_) return nullptr;
  auto* node = dynamic_cast<SpriteInstance*>(machine_.nodeOf(script::Value(clip_)));
  if (!node) clip_ = nullptr;  // the clip was removed: the drag is over
  return node;
}

void Dragging::start(script::DisplayNode& clip, bool lockCenter, const script::Bounds* limits, double x, double y) {
  auto* sprite = dynamic_cast<SpriteInstance*>(&clip);
  if (!sprite) return;
  clip_ = machine_.clipObject(sprite);
  limits_.reset();
  if (limits) limits_ = *limits;
  offsetX_ = offsetY_ = 0;
  if (!lockCenter) {
    double px, py;
    pointerInParent(*sprite, x, y, px, py);
    Matrix m = sprite->matrix();
    offsetX_ = m.tx - px, offsetY_ = m.ty - py;
  }
  follow(x, y);
}

bool Dragging::follow(double x, double y) {
  SpriteInstance* clip = dragged();
  if (!clip) return false;
  double px, py;
  pointerInParent(*clip, x, y, px, py);
  // Positions are whole twips, as a script setting _x and _y would leave them.
  double tx = std::round(px + offsetX_), ty = std::round(py + offsetY_);
  if (limits_) {
    tx = std::clamp(tx, limits_->xMin, limits_->xMax);
    ty = std::clamp(ty, limits_->yMin, limits_->yMax);
  }
  if (!std::isfinite(tx) || !std::isfinite(ty)) return false;
  Matrix m = clip->matrix();
  if (float(tx) == m.tx && float(ty) == m.ty) return false;
  m.tx = float(tx), m.ty = float(ty);
  clip->setMatrix(m);
  return true;
}

SpriteInstance* Dragging::clipUnder(SpriteInstance& sprite, const SpriteInstance& skip, const Matrix& toStage, double x,
                                    double y, int nesting) {
  if (nesting > kMaxNesting) return nullptr;
  const paint::HitTester::ListMasks masks(sprite);
  const auto& list = sprite.displayList();
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    const timeline::DisplayObject& obj = it->second;
    if (obj.clipDepth || !obj.visible) continue;
    SpriteInstance* child = obj.sprite.get();
    if (child && (child->isMaskOfClip() || child == &skip)) continue;
    if (child && !child->buttonDef()) {
      Matrix placement = obj.matrix.then(toStage);
      if (!hits_.clippingShows(*child, placement, x, y) || !masks.shows(hits_, it->first, toStage, x, y)) continue;
      if (SpriteInstance* inner = clipUnder(*child, skip, child->withScroll(placement), x, y, nesting + 1)) return inner;
      continue;
    }
    if (hits_.objectContains(obj, toStage, x, y) && masks.shows(hits_, it->first, toStage, x, y)) return &sprite;
  }
  return nullptr;
}

void Dragging::noteDropTarget(SpriteInstance* root, double x, double y) {
  SpriteInstance* clip = dragged();
  if (!clip || !root) return;
  SpriteInstance* under = clipUnder(*root, *clip, root->matrix(), x, y, 0);
  droppedClip_ = clip->identity();
  droppedOn_ = under ? machine_.targetPath(under, true) : "";
}

void Dragging::stop(SpriteInstance* root, double x, double y) {
  noteDropTarget(root, x, y);
  clip_ = nullptr;
}

std::string Dragging::dropTarget(const script::DisplayNode* node) const {
  return node && node->identity() == droppedClip_ ? droppedOn_ : "";
}

void Dragging::gatherRoots(std::vector<script::Object*>& out) const {
  if (clip_) out.push_back(clip_);
}

}  // namespace movie
