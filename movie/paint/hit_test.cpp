#include "movie/paint/hit_test.h"

#include <variant>

#include "movie/timeline/stage_matrix.h"

namespace movie::paint {
namespace {

constexpr int kMaxNesting = 32;

using timeline::DisplayObject;
using timeline::SpriteInstance;

// The point becomes the centre of a one-pixel mask, one twip wide: the shape's fills
// are rasterized there without smoothing and the pixel says whether it is inside.
bool drawableContains(const Drawable& d, const Matrix& toStage, double x, double y) {
  Matrix shift;
  shift.tx = float(0.5 - x);
  shift.ty = float(0.5 - y);
  Matrix toPoint = toStage.then(shift);
  for (const DrawItem& item : d.items) {
    if (item.stroke) continue;
    render::Mask mask(1, 1);
    render::fillMask(mask, item.path, item.rule, toPoint, render::AntiAlias::None);
    if (mask.row(0)[0] != 0) return true;
  }
  return false;
}

// The point in the coordinates that toStage maps to the stage.
void toLocal(const Matrix& toStage, double x, double y, double& lx, double& ly) {
  Matrix back = toStage.inverted();
  lx = back.a * x + back.c * y + back.tx, ly = back.b * x + back.d * y + back.ty;
}

bool boxContains(const format::Rect& r, const Matrix& toStage, double x, double y) {
  double lx, ly;
  toLocal(toStage, x, y, lx, ly);
  return lx >= r.xMin && lx <= r.xMax && ly >= r.yMin && ly <= r.yMax;
}

}  // namespace

bool HitTester::characterContains(const format::Character& c, uint16_t ratio, const Matrix& toStage, double x,
                                  double y, int nesting) const {
  if (nesting > kMaxNesting) return false;
  switch (c.kind) {
    case format::Character::Shape:
      return c.shape && drawableContains(cache_.shape(*c.shape), toStage, x, y);
    case format::Character::MorphShape:
      return c.morph && drawableContains(cache_.morph(*c.morph, ratio), toStage, x, y);
    case format::Character::Bitmap:
      return c.bitmap && boxContains(format::Rect{0, c.bitmap->width * 20, 0, c.bitmap->height * 20}, toStage, x, y);
    case format::Character::StaticText:
      return c.text && boxContains(c.text->bounds, toStage, x, y);
    case format::Character::EditText:
      return c.editText && boxContains(c.editText->bounds, toStage, x, y);
    case format::Character::Sprite:
      return c.sprite && !c.sprite->timeline.frames.empty() &&
             frameContains(c.sprite->timeline.frames[0], toStage, x, y, nesting + 1);
    case format::Character::Button:
      return c.button && frameContains(c.button->states.frames[format::kButtonHit], toStage, x, y, nesting + 1);
    default:
      return false;
  }
}

bool HitTester::frameContains(const format::Frame& frame, const Matrix& toStage, double x, double y,
                              int nesting) const {
  for (const format::ControlTag& tag : frame.tags) {
    const auto* place = std::get_if<format::PlaceTag>(&tag);
    if (!place || !place->characterId || place->clipDepth) continue;
    auto it = characters_.find(*place->characterId);
    if (it == characters_.end()) continue;
    Matrix m = place->matrix ? place->matrix->then(toStage) : toStage;
    if (characterContains(it->second, place->ratio.value_or(0), m, x, y, nesting)) return true;
  }
  return false;
}

HitTester::ListMasks::ListMasks(const SpriteInstance& sprite) {
  for (const auto& [depth, obj] : sprite.displayList())
    if (obj.clipDepth) masks_.push_back(&obj);
}

bool HitTester::ListMasks::shows(const HitTester& hits, uint16_t depth, const Matrix& toStage, double x,
                                 double y) const {
  for (const DisplayObject* mask : masks_)
    if (mask->depth < depth && depth <= mask->clipDepth && !hits.maskContains(*mask, toStage, x, y, 0)) return false;
  return true;
}

bool HitTester::listContains(const SpriteInstance& sprite, const Matrix& toStage, double x, double y, int nesting,
                             bool inMask) const {
  if (nesting > kMaxNesting) return false;
  if (const timeline::ClipDrawing* drawing = sprite.drawing())
    if (drawableContains(cache_.drawing(*drawing), toStage, x, y)) return true;
  const ListMasks masks(sprite);
  for (const auto& [depth, child] : sprite.displayList())
    if (!child.clipDepth && child.visible && !(child.sprite && child.sprite->isMaskOfClip()) &&
        objectContainsAt(child, toStage, x, y, nesting, inMask) && masks.shows(*this, depth, toStage, x, y))
      return true;
  return false;
}

bool HitTester::maskContains(const DisplayObject& mask, const Matrix& toStage, double x, double y,
                             int nesting) const {
  if (nesting > kMaxNesting) return false;
  Matrix m = mask.matrix.then(toStage);
  if (mask.sprite && !mask.sprite->buttonDef()) return listContains(*mask.sprite, mask.sprite->withScroll(m), x, y, nesting + 1, true);
  return objectContainsAt(mask, toStage, x, y, nesting, true);
}

bool HitTester::clippingShowsAt(const SpriteInstance& sprite, const Matrix& toStage, double x, double y, int nesting,
                                bool inMask) const {
  if (const script::Bounds* scroll = sprite.scrollRectOrNull()) {
    double lx, ly;
    toLocal(sprite.withScroll(toStage), x, y, lx, ly);
    if (lx < scroll->xMin || lx > scroll->xMax || ly < scroll->yMin || ly > scroll->yMax) return false;
  }
  const SpriteInstance* mask = sprite.maskClip();
  if (!mask || inMask) return true;
  if (nesting > kMaxNesting) return false;
  Matrix m = timeline::placementToStage(*mask);
  if (mask->buttonDef()) return buttonHit(*mask->buttonDef(), m, x, y);
  return listContains(*mask, mask->withScroll(m), x, y, nesting + 1, true);
}

bool HitTester::clippingShows(const SpriteInstance& sprite, const Matrix& toStage, double x, double y) const {
  return clippingShowsAt(sprite, toStage, x, y, 0, false);
}

bool HitTester::objectContainsAt(const DisplayObject& obj, const Matrix& toStage, double x, double y, int nesting,
                                 bool inMask) const {
  if (nesting > kMaxNesting) return false;
  Matrix m = obj.matrix.then(toStage);
  if (obj.sprite && !clippingShowsAt(*obj.sprite, m, x, y, nesting, inMask)) return false;
  if (obj.sprite && obj.sprite->buttonDef()) return buttonHit(*obj.sprite->buttonDef(), m, x, y);
  if (obj.sprite) return listContains(*obj.sprite, obj.sprite->withScroll(m), x, y, nesting + 1, inMask);
  if (obj.field) return boxContains(obj.field->bounds(), m, x, y);
  return characterContains(obj.character, obj.ratio, m, x, y, nesting);
}

bool HitTester::objectContains(const DisplayObject& obj, const Matrix& toStage, double x, double y) const {
  return objectContainsAt(obj, toStage, x, y, 0, false);
}

bool HitTester::buttonHit(const format::ButtonDef& button, const Matrix& toStage, double x, double y) const {
  return frameContains(button.states.frames[format::kButtonHit], toStage, x, y, 0);
}

}  // namespace movie::paint
