// Clipping that scripts set on clips: masks by setMask and scroll rectangles.
#include "movie/timeline/display_list.h"

namespace movie::timeline {

void SpriteInstance::unlinkMask() {
  if (maskClip_) maskClip_->maskedClip_ = nullptr;
  if (maskedClip_) maskedClip_->maskClip_ = nullptr;
  maskClip_ = maskedClip_ = nullptr;
}

// A clip masks at most one other and is masked by at most one: a new link takes the
// mask away from the clip it masked before.
void SpriteInstance::setMask(DisplayNode* mask) {
  if (maskClip_) {
    maskClip_->maskedClip_ = nullptr;
    maskClip_ = nullptr;
  }
  auto* clip = dynamic_cast<SpriteInstance*>(mask);
  if (!clip || clip == this) return;
  if (clip->maskedClip_) clip->maskedClip_->maskClip_ = nullptr;
  clip->maskedClip_ = this;
  maskClip_ = clip;
}

void SpriteInstance::setScrollRect(const script::Bounds* rect) {
  hasScrollRect_ = rect && !rect->empty;
  if (hasScrollRect_) scrollRect_ = *rect;
}

bool SpriteInstance::scrollRect(script::Bounds& out) const {
  if (hasScrollRect_) out = scrollRect_;
  return hasScrollRect_;
}

Matrix SpriteInstance::withScroll(const Matrix& toOuter) const {
  if (!hasScrollRect_) return toOuter;
  Matrix shift;
  shift.tx = float(-scrollRect_.xMin);
  shift.ty = float(-scrollRect_.yMin);
  return shift.then(toOuter);
}

}  // namespace movie::timeline
