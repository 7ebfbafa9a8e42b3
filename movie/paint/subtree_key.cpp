#include "movie/paint/subtree_key.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace movie::paint {
namespace {

constexpr int kMaxKeyNesting = 64;

}  // namespace

SubtreeKey::SubtreeKey(const timeline::DisplayObject& obj, const render::Matrix& device,
                       const render::ColorTransform& cx, const RenderOptions& options, float shiftX, float shiftY) {
  add(device, false);
  // Where within its pixel the object lies and where it is drawn, to a 64th of a pixel.
  for (float t : {device.tx, device.ty}) add(uint64_t(int64_t(std::lround((t - std::floor(t)) * 64))));
  for (float t : {shiftX, shiftY}) add(uint64_t(std::isfinite(t) ? int64_t(std::lround(t * 64)) : 0));
  add(cx);
  add(uint64_t(options.antiAlias));
  add(options.viewPixelsPerTwip);
  add(uint64_t(reinterpret_cast<uintptr_t>(options.fonts)));
  add(uint64_t(obj.filters.size()));
  for (const Filter& f : obj.filters) add(f);
  addObject(obj, 0);
}

void SubtreeKey::add(float v) { add(uint64_t(std::bit_cast<uint32_t>(v))); }

void SubtreeKey::add(const render::Matrix& m, bool withTranslation) {
  for (float v : {m.a, m.b, m.c, m.d}) add(v);
  if (withTranslation) {
    add(m.tx);
    add(m.ty);
  }
}

void SubtreeKey::add(const render::ColorTransform& c) {
  for (float v : {c.rm, c.gm, c.bm, c.am, c.ra, c.ga, c.ba, c.aa}) add(v);
}

void SubtreeKey::add(const Filter& f) {
  add(uint64_t(f.kind));
  for (float v : {f.blurX, f.blurY, f.angle, f.distance, f.strength, f.divisor, f.bias}) add(v);
  add(uint64_t(f.passes));
  for (Color c : {f.color, f.shadowColor, f.defaultColor})
    add(uint64_t(c.r) | uint64_t(c.g) << 8 | uint64_t(c.b) << 16 | uint64_t(c.a) << 24);
  add(uint64_t(f.inner) | uint64_t(f.knockout) << 1 | uint64_t(f.compositeSource) << 2 | uint64_t(f.onTop) << 3 |
      uint64_t(f.clamp) << 4 | uint64_t(f.preserveAlpha) << 5);
  add(uint64_t(f.stops.size()));
  for (const GradientStop& s : f.stops)
    add(uint64_t(s.ratio) | uint64_t(s.color.r) << 8 | uint64_t(s.color.g) << 16 | uint64_t(s.color.b) << 24 |
        uint64_t(s.color.a) << 32);
  for (float v : f.matrix) add(v);
  add(uint64_t(f.matrixX) | uint64_t(f.matrixY) << 16);
  for (float v : f.kernel) add(v);
}

void SubtreeKey::hold(std::shared_ptr<const void> p) {
  add(uint64_t(reinterpret_cast<uintptr_t>(p.get())));
  if (p) held_.push_back(std::move(p));
}

// The object's own drawing and its children's; its matrix and colour transform are in
// the key already for the top object, and added here for those below it.
void SubtreeKey::addObject(const timeline::DisplayObject& obj, int nesting) {
  const format::Character& c = obj.character;
  add(uint64_t(c.kind) | uint64_t(obj.ratio) << 8 | uint64_t(obj.clipDepth) << 24 | uint64_t(obj.visible) << 40 |
      uint64_t(obj.cacheAsBitmap) << 41 | uint64_t(obj.blendMode) << 48);
  hold(c.shape);
  hold(c.morph);
  hold(c.bitmap);
  hold(c.text);
  hold(obj.field);
  if (obj.field) add(uint64_t(obj.field->revision()));
  if (!obj.sprite || nesting > kMaxKeyNesting) return;
  addDrawing(*obj.sprite);
  addClipping(*obj.sprite, nesting);
  addChildren(*obj.sprite, nesting);
}

// What scripts clip a clip with: its scroll rectangle, whether it masks another clip (and
// so is not drawn), and the clip masking it, which may lie outside the subtree: its
// placement up to the root and its own drawing.
void SubtreeKey::addClipping(const timeline::SpriteInstance& sprite, int nesting) {
  add(uint64_t(sprite.isMaskOfClip()));
  const script::Bounds* scroll = sprite.scrollRectOrNull();
  add(uint64_t(scroll != nullptr));
  if (scroll)
    for (double v : {scroll->xMin, scroll->yMin, scroll->xMax, scroll->yMax}) add(std::bit_cast<uint64_t>(v));
  const timeline::SpriteInstance* mask = sprite.maskClip();
  add(uint64_t(mask ? mask->identity() : 0));
  // Each mask's drawing goes in once: masks that lie inside one another's drawing would
  // otherwise be walked again at every level.
  if (!mask || std::find(masksAdded_.begin(), masksAdded_.end(), mask) != masksAdded_.end()) return;
  masksAdded_.push_back(mask);
  for (const timeline::SpriteInstance* s = mask; s; s = s->parentSprite()) add(s->matrix(), true);
  addDrawing(*mask);
  addChildren(*mask, nesting + 1);
}

// A script drawing's version changes with every edge and style it gets.
void SubtreeKey::addDrawing(const timeline::SpriteInstance& sprite) {
  const timeline::ClipDrawing* drawing = sprite.drawing();
  add(drawing ? drawing->version() : 0);
}

void SubtreeKey::addChildren(const timeline::SpriteInstance& sprite, int nesting) {
  if (nesting > kMaxKeyNesting) return;
  add(uint64_t(sprite.displayList().size()));
  for (const auto& [depth, child] : sprite.displayList()) {
    add(uint64_t(depth));
    add(child.matrix, true);
    add(child.colorTransform);
    add(uint64_t(child.filters.size()));
    for (const Filter& f : child.filters) add(f);
    addObject(child, nesting + 1);
  }
}

}  // namespace movie::paint
