#include "movie/text/field_focus.h"

#include "movie/timeline/clip_nesting.h"
#include "movie/timeline/display_list.h"

namespace movie::text {
namespace {

struct Hit {
  std::shared_ptr<TextField> field;
  render::Matrix toField;
  FontLibrary* fonts = nullptr;  // its movie's own; null: the main movie's
};

render::Matrix inverse(const render::Matrix& m) { return m.inverted(); }

void apply(const render::Matrix& m, float x, float y, float& ox, float& oy) {
  ox = m.a * x + m.c * y + m.tx;
  oy = m.b * x + m.d * y + m.ty;
}

// The topmost field under the point, searching from the highest depth down; fonts: those
// of the movie the sprite's text comes from.
bool findField(const timeline::SpriteInstance& sprite, const render::Matrix& parent, float x, float y,
               FontLibrary* fonts, int nesting, Hit& hit) {
  if (nesting > timeline::kMaxClipNesting) return false;
  const auto& list = sprite.displayList();
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    const timeline::DisplayObject& obj = it->second;
    if (!obj.visible || obj.clipDepth) continue;
    render::Matrix m = obj.matrix.then(parent);
    if (obj.sprite) {
      FontLibrary* inner = obj.sprite->fonts() ? obj.sprite->fonts() : fonts;
      if (findField(*obj.sprite, m, x, y, inner, nesting + 1, hit)) return true;
    }
    if (!obj.field) continue;
    const TextField::Settings& s = obj.field->settings();
    if (!s.selectable && !s.input) continue;
    render::Matrix back = inverse(m);
    float fx, fy;
    apply(back, x, y, fx, fy);
    const format::Rect& b = obj.field->bounds();
    if (fx >= b.xMin && fx < b.xMax && fy >= b.yMin && fy < b.yMax) {
      hit = {obj.field, back, obj.homeFonts ? obj.homeFonts : fonts};
      return true;
    }
  }
  return false;
}

}  // namespace

bool FieldFocus::pointerDown(const std::vector<const timeline::SpriteInstance*>& levels,
                             const render::Matrix& toDevice, float x, float y, FontLibrary& mainFonts) {
  Hit hit;
  bool found = false;
  for (auto it = levels.rbegin(); it != levels.rend() && !found; ++it)
    if (*it && (*it)->visible()) found = findField(**it, toDevice, x, y, (*it)->fonts(), 0, hit);
  std::shared_ptr<TextField> old = focused_.lock();
  if (old && old != hit.field) old->setFocus(false);
  if (!found) {
    focused_.reset();
    ownFonts_ = nullptr;
    return false;
  }
  focused_ = hit.field;
  ownFonts_ = hit.fonts;
  toField_ = hit.toField;
  hit.field->setFocus(true);
  float fx, fy;
  apply(toField_, x, y, fx, fy);
  dragging_ = hit.field->pointerDown(fx, fy, fontsOr(mainFonts));
  return true;
}

void FieldFocus::pointerDrag(float x, float y, FontLibrary& mainFonts) {
  std::shared_ptr<TextField> field = focused_.lock();
  if (!field || !dragging_) return;
  float fx, fy;
  apply(toField_, x, y, fx, fy);
  field->pointerDrag(fx, fy, fontsOr(mainFonts));
}

bool FieldFocus::typeChar(char32_t c) {
  std::shared_ptr<TextField> field = focused_.lock();
  return field && field->typeChar(c);
}

bool FieldFocus::editKey(EditKey key, FontLibrary& mainFonts) {
  std::shared_ptr<TextField> field = focused_.lock();
  return field && field->editKey(key, fontsOr(mainFonts));
}

void FieldFocus::focus(const std::shared_ptr<TextField>& field, FontLibrary* own) {
  if (!field) return clear();
  std::shared_ptr<TextField> old = focused_.lock();
  ownFonts_ = own;
  if (old == field) return;
  if (old) old->setFocus(false);
  focused_ = field;
  dragging_ = false;
  field->setFocus(true);
  field->setSelection(field->length(), field->length());
}

void FieldFocus::clear() {
  if (std::shared_ptr<TextField> field = focused_.lock()) field->setFocus(false);
  focused_.reset();
  ownFonts_ = nullptr;
  dragging_ = false;
}

}  // namespace movie::text
