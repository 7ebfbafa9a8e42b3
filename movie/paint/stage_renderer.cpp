#include "movie/paint/stage_renderer.h"

#include <memory>
#include <vector>

#include "movie/render/blend.h"
#include "movie/paint/filter_cache.h"
#include "movie/paint/filtered_drawing.h"
#include "movie/paint/text_painter.h"

namespace movie::paint {
namespace {

constexpr int kMaxDrawNesting = 64;
// Layers nested deeper than this are drawn straight onto the one around them: each one
// costs a surface the size of the stage.
constexpr int kMaxLayerNesting = 6;

struct Renderer {
  render::Surface& target;
  const RenderOptions& options;
  ShapeCache& cache;
  bool inLayer = false;  // target is a layer of its own: Alpha and Erase act on it
  int layers = 0;        // layers open around this one, each the size of the target

  const Drawable* drawableOf(const timeline::DisplayObject& obj) {
    const format::Character& c = obj.character;
    if (c.kind == format::Character::Shape && c.shape) return &cache.shape(*c.shape);
    if (c.kind == format::Character::MorphShape && c.morph) return &cache.morph(*c.morph, obj.ratio);
    return nullptr;
  }

  // A bitmap placed as a character is a rectangle filled with itself.
  static Drawable bitmapDrawable(const std::shared_ptr<const render::Bitmap>& bitmap) {
    Drawable d;
    if (!bitmap || bitmap->width <= 0) return d;
    DrawItem item;
    float w = float(bitmap->width) * 20, h = float(bitmap->height) * 20;
    item.path.moveTo(0, 0);
    item.path.lineTo(w, 0);
    item.path.lineTo(w, h);
    item.path.lineTo(0, h);
    item.path.lineTo(0, 0);
    render::Matrix m;
    m.a = m.d = 20;
    item.paint = render::BitmapFill{bitmap, m, false, true};
    d.items.push_back(std::move(item));
    return d;
  }

  void drawItems(const Drawable& d, const render::Matrix& m, const render::ColorTransform& cx,
                 const render::Mask* clip) {
    render::DrawState state;
    state.toDevice = m;
    state.colorTransform = cx;
    state.antiAlias = options.antiAlias;
    state.clip = clip;
    for (const DrawItem& item : d.items) {
      const render::Paint* paint = &item.paint;
      render::Paint adjusted;
      if (!options.smoothBitmaps) {
        if (const auto* b = std::get_if<render::BitmapFill>(&item.paint); b && b->smooth) {
          render::BitmapFill hard = *b;
          hard.smooth = false;
          adjusted = hard;
          paint = &adjusted;
        }
      }
      if (item.stroke) {
        render::StrokeStyle style = item.style;
        style.unscaledPixelsPerUnit = options.viewPixelsPerTwip;
        render::strokePath(target, item.path, style, *paint, state);
      } else {
        render::fillPath(target, item.path, *paint, item.rule, state);
      }
    }
  }

  void maskItems(render::Mask& mask, const Drawable& d, const render::Matrix& m) {
    for (const DrawItem& item : d.items)
      if (!item.stroke) render::fillMask(mask, item.path, item.rule, m, options.antiAlias);
  }

  // Adds an object (and, for a sprite, its whole subtree) to a mask.
  void addToMask(render::Mask& mask, const timeline::DisplayObject& obj, const render::Matrix& parent,
                 int nesting) {
    if (nesting > kMaxDrawNesting) return;
    render::Matrix m = obj.matrix.then(parent);
    if (obj.sprite) {
      for (const auto& [depth, child] : obj.sprite->displayList())
        if (!child.clipDepth) addToMask(mask, child, m, nesting + 1);
      return;
    }
    if (const Drawable* d = drawableOf(obj)) {
      maskItems(mask, *d, m);
    } else if (obj.character.kind == format::Character::Bitmap) {
      maskItems(mask, bitmapDrawable(obj.character.bitmap), m);
    } else if (options.fonts && obj.character.kind == format::Character::StaticText && obj.character.text) {
      maskStaticText(mask, *obj.character.text, *options.fonts, m, options.antiAlias);
    } else if (obj.field) {
      maskTextField(mask, *obj.field, m, options.antiAlias);
    }
  }

  // An object with a blend mode or filters is drawn into a layer of its own, filtered
  // (through its kept picture), then put onto the target with its mode. Alpha and Erase
  // only mean something inside a layer.
  void drawObject(const timeline::DisplayObject& obj, const render::Matrix& parent,
                  const render::ColorTransform& parentCx, const render::Mask* clip, int nesting) {
    render::BlendMode mode = render::blendModeOf(obj.blendMode);
    bool alphaLike = mode == render::BlendMode::Alpha || mode == render::BlendMode::Erase;
    if (alphaLike && !inLayer) return;
    bool plain = mode == render::BlendMode::Normal && obj.filters.empty();
    if (plain || layers >= kMaxLayerNesting) return drawPlain(obj, parent, parentCx, clip, nesting);
    if (!obj.filters.empty()) {
      auto draw = [&](render::Surface& layer, float dx, float dy) {
        render::Matrix moved = parent;
        moved.tx += dx;
        moved.ty += dy;
        Renderer inner{layer, options, cache, true, layers + 1};
        inner.drawPlain(obj, moved, parentCx, nullptr, nesting);
      };
      return drawFiltered(target, obj, obj.matrix.then(parent), obj.colorTransform.then(parentCx), mode, clip,
                          options, draw);
    }
    render::Surface layer(target.width(), target.height());
    Renderer inner{layer, options, cache, true, layers + 1};
    inner.drawPlain(obj, parent, parentCx, nullptr, nesting);
    render::compositeLayer(target, layer, mode, clip);
  }

  void drawPlain(const timeline::DisplayObject& obj, const render::Matrix& parent,
                 const render::ColorTransform& parentCx, const render::Mask* clip, int nesting) {
    render::Matrix m = obj.matrix.then(parent);
    render::ColorTransform cx = obj.colorTransform.then(parentCx);
    if (obj.sprite) {
      drawList(*obj.sprite, m, cx, clip, nesting + 1);
    } else if (const Drawable* d = drawableOf(obj)) {
      drawItems(*d, m, cx, clip);
    } else if (obj.character.kind == format::Character::Bitmap) {
      drawItems(bitmapDrawable(obj.character.bitmap), m, cx, clip);
    } else if (options.fonts && (obj.field || obj.character.kind == format::Character::StaticText)) {
      TextTarget t{target, m, cx, clip, options.antiAlias};
      if (obj.field)
        drawTextField(t, *obj.field, *options.fonts);
      else if (obj.character.text)
        drawStaticText(t, *obj.character.text, *options.fonts);
    }
  }

  void drawList(const timeline::SpriteInstance& sprite, const render::Matrix& parent,
                const render::ColorTransform& parentCx, const render::Mask* clip, int nesting) {
    if (nesting > kMaxDrawNesting) return;
    struct ActiveMask {
      uint16_t clipDepth;
      std::unique_ptr<render::Mask> mask;
    };
    std::vector<ActiveMask> masks;
    for (const auto& [depth, obj] : sprite.displayList()) {
      while (!masks.empty() && depth > masks.back().clipDepth) masks.pop_back();
      const render::Mask* current = masks.empty() ? clip : masks.back().mask.get();
      if (obj.clipDepth) {
        auto mask = std::make_unique<render::Mask>(target.width(), target.height());
        addToMask(*mask, obj, parent, nesting);
        if (current) mask->intersect(*current);
        masks.push_back({obj.clipDepth, std::move(mask)});
        continue;
      }
      if (!obj.visible) continue;
      drawObject(obj, parent, parentCx, current, nesting);
    }
  }
};

}  // namespace

void renderTree(render::Surface& target, const timeline::SpriteInstance& root,
                const render::Matrix& toDevice, const RenderOptions& options, ShapeCache& cache) {
  Renderer r{target, options, cache};
  r.drawList(root, toDevice, render::ColorTransform{}, nullptr, 0);
  if (options.filterCache) options.filterCache->sweep();
}

}  // namespace movie::paint
