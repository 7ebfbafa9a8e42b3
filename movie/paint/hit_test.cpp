#include "movie/paint/hit_test.h"

#include <variant>

namespace movie::paint {
namespace {

constexpr int kMaxNesting = 32;

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

bool boxContains(const format::Rect& r, const Matrix& toStage, double x, double y) {
  Matrix back = toStage.inverted();
  double lx = back.a * x + back.c * y + back.tx, ly = back.b * x + back.d * y + back.ty;
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

bool HitTester::listContains(const timeline::SpriteInstance& sprite, const Matrix& toStage, double x, double y,
                             int nesting) const {
  if (nesting > kMaxNesting) return false;
  if (const timeline::ClipDrawing* drawing = sprite.drawing())
    if (drawableContains(cache_.drawing(*drawing), toStage, x, y)) return true;
  for (const auto& [depth, child] : sprite.displayList())
    if (!child.clipDepth && child.visible && !(child.sprite && child.sprite->isMaskOfClip()) &&
        objectContains(child, toStage, x, y))
      return true;
  return false;
}

bool HitTester::objectContains(const timeline::DisplayObject& obj, const Matrix& toStage, double x, double y) const {
  Matrix m = obj.matrix.then(toStage);
  if (obj.sprite && obj.sprite->buttonDef()) return buttonHit(*obj.sprite->buttonDef(), m, x, y);
  if (obj.sprite) return listContains(*obj.sprite, obj.sprite->withScroll(m), x, y, 0);
  if (obj.field) return boxContains(obj.field->bounds(), m, x, y);
  return characterContains(obj.character, obj.ratio, m, x, y, 0);
}

bool HitTester::buttonHit(const format::ButtonDef& button, const Matrix& toStage, double x, double y) const {
  return frameContains(button.states.frames[format::kButtonHit], toStage, x, y, 0);
}

}  // namespace movie::paint
