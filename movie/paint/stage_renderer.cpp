#include "movie/paint/stage_renderer.h"

#include <cmath>
#include <memory>
#include <vector>

#include "movie/render/blend.h"
#include "movie/paint/filter_cache.h"
#include "movie/paint/filtered_drawing.h"
#include "movie/paint/rectangle_path.h"
#include "movie/paint/scaling_grid.h"
#include "movie/paint/text_painter.h"
#include "movie/timeline/stage_matrix.h"

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
  render::Matrix rootToDevice;              // the root timeline's space to the target
  const GridWarp* gridWarp = nullptr;       // the scaling grid of the sprite being drawn
  bool inBitmap = false;                    // drawing an object's own bitmap (filters, cached)
  bool strokesMask = true;                  // false while a mask set by a script is made

  // An object's place on the target: its matrix after its parent's, with the position
  // kept on the stage's twip grid, as positions are in the file. A scaled parent moves a
  // child by whole twips, so edges fall where the movie's authors saw them.
  render::Matrix placed(const timeline::DisplayObject& obj, const render::Matrix& parent) const {
    render::Matrix m = obj.matrix.then(parent);
    const render::Matrix& root = rootToDevice;
    if (root.b != 0 || root.c != 0 || !(root.a > 0) || !(root.d > 0)) return m;
    m.tx = root.tx + float(std::nearbyint((double(m.tx) - root.tx) / root.a)) * root.a;
    m.ty = root.ty + float(std::nearbyint((double(m.ty) - root.ty) / root.d)) * root.d;
    return m;
  }

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
    item.path = rectanglePath(0, 0, float(bitmap->width) * 20, float(bitmap->height) * 20);
    render::Matrix m;
    m.a = m.d = 20;
    item.paint = render::BitmapFill{bitmap, m, false, true, nullptr};
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
    state.strokeChordsOnTwips = !inBitmap;
    for (const DrawItem& item : d.items) {
      if (item.stroke) {
        render::StrokeStyle style = item.style;
        style.unscaledPixelsPerUnit = options.viewPixelsPerTwip;
        render::strokePath(target, item.path, style, item.paint, state);
      } else {
        render::fillPath(target, item.path, item.paint, item.rule, state);
      }
    }
  }

  // Fills and strokes alike cover a timeline's mask; a mask set by a script takes only
  // the fills.
  void maskItems(render::Mask& mask, const Drawable& d, const render::Matrix& m) {
    for (const DrawItem& item : d.items) {
      if (!item.stroke) {
        render::fillMask(mask, item.path, item.rule, m, options.antiAlias);
        continue;
      }
      if (!strokesMask) continue;
      render::StrokeStyle style = item.style;
      style.unscaledPixelsPerUnit = options.viewPixelsPerTwip;
      render::strokeMask(mask, item.path, style, m, options.antiAlias);
    }
  }

  // A sprite's children added to a mask, its scaling grid bending the shapes directly
  // inside as it does when the sprite is drawn.
  void addSpriteToMask(render::Mask& mask, const timeline::SpriteInstance& sprite, const render::Matrix& m,
                       int nesting) {
    GridWarp warp;
    const format::Rect* grid = sprite.scalingGrid();
    const GridWarp* bend = grid && gridFor(sprite, *grid, m, warp) ? &warp : nullptr;
    if (const timeline::ClipDrawing* drawing = sprite.drawing()) {
      const Drawable& d = cache.drawing(*drawing);
      if (bend) maskItems(mask, bend->warp(d, render::Matrix{}), m);
      else maskItems(mask, d, m);
    }
    withFontsOf(sprite, [&](Renderer& r) {
      for (const auto& [depth, child] : sprite.displayList())
        if (!child.clipDepth) r.addToMask(mask, child, m, nesting + 1, bend);
    });
  }

  // The fonts an object's text is drawn with: an imported character's own movie's.
  text::FontLibrary* fontsOf(const timeline::DisplayObject& obj) const {
    return obj.homeFonts ? obj.homeFonts : options.fonts;
  }

  // A loaded movie's text is drawn with its own fonts, everything below it too.
  template <class Draw>
  void withFontsOf(const timeline::SpriteInstance& sprite, Draw&& draw) {
    text::FontLibrary* fonts = sprite.fonts();
    if (!fonts || fonts == options.fonts) return draw(*this);
    RenderOptions own = options;
    own.fonts = fonts;
    Renderer inner{target, own, cache, inLayer, layers, rootToDevice, gridWarp, inBitmap};
    draw(inner);
  }

  // Adds an object (and, for a sprite, its whole subtree) to a mask; grid: the scaling
  // grid of the sprite holding it.
  void addToMask(render::Mask& mask, const timeline::DisplayObject& obj, const render::Matrix& parent,
                 int nesting, const GridWarp* grid = nullptr) {
    if (nesting > kMaxDrawNesting) return;
    render::Matrix m = placed(obj, parent);
    // Inside a mask a scroll rectangle moves the content without clipping it.
    if (obj.sprite) return addSpriteToMask(mask, *obj.sprite, obj.sprite->withScroll(m), nesting);
    if (const Drawable* d = drawableOf(obj)) {
      if (grid) maskItems(mask, grid->warp(*d, obj.matrix), parent);
      else maskItems(mask, *d, m);
    } else if (obj.character.kind == format::Character::Bitmap) {
      maskItems(mask, bitmapDrawable(obj.character.bitmap), m);
    } else if (text::FontLibrary* fonts = fontsOf(obj);
               fonts && obj.character.kind == format::Character::StaticText && obj.character.text) {
      maskStaticText(mask, *obj.character.text, *fonts, m, options.antiAlias);
    } else if (obj.field) {
      maskTextField(mask, *obj.field, m, options.antiAlias);
    }
  }

  // An object with a blend mode, filters or cached as a bitmap is drawn into a layer of
  // its own, filtered (through its kept picture), then put onto the target with its
  // mode. Alpha and Erase only mean something inside a layer.
  void drawObject(const timeline::DisplayObject& obj, const render::Matrix& parent,
                  const render::ColorTransform& parentCx, const render::Mask* clip, int nesting) {
    render::BlendMode mode = render::blendModeOf(obj.blendMode);
    bool alphaLike = mode == render::BlendMode::Alpha || mode == render::BlendMode::Erase;
    if (alphaLike && !inLayer) return;
    bool cached = !obj.filters.empty() || obj.cacheAsBitmap;
    bool plain = mode == render::BlendMode::Normal && !cached;
    if (plain) return drawPlain(obj, parent, parentCx, clip, nesting);
    if (layers >= kMaxLayerNesting) {
      if (obj.cacheAsBitmap) return drawOnPixelGrid(obj, parent, parentCx, clip, nesting);
      return drawPlain(obj, parent, parentCx, clip, nesting);
    }
    if (cached) {
      auto draw = [&](render::Surface& layer, float dx, float dy) {
        render::Matrix moved = parent, movedRoot = rootToDevice;
        moved.tx += dx;
        moved.ty += dy;
        movedRoot.tx += dx;
        movedRoot.ty += dy;
        Renderer inner{layer, options, cache, true, layers + 1, movedRoot, gridWarp, true};
        inner.drawColoured(obj, moved, render::ColorTransform{}, nullptr, nesting);  // coloured once filtered
      };
      return drawFiltered(target, obj, placed(obj, parent), obj.colorTransform.then(parentCx), mode, clip,
                          options, draw);
    }
    render::Surface layer(target.width(), target.height());
    Renderer inner{layer, options, cache, true, layers + 1, rootToDevice, gridWarp, inBitmap};
    inner.drawPlain(obj, parent, parentCx, nullptr, nesting);
    render::compositeLayer(target, layer, mode, clip);
  }

  // A clip cached as a bitmap, too deep for a layer of its own, is drawn where its bitmap
  // would lie: moved so that its bounds start on a whole pixel.
  void drawOnPixelGrid(const timeline::DisplayObject& obj, const render::Matrix& parent,
                       const render::ColorTransform& parentCx, const render::Mask* clip, int nesting) {
    float sx, sy;
    snapShift(obj, placed(obj, parent), options.viewPixelsPerTwip * 20, sx, sy);
    render::Matrix moved = parent;
    moved.tx += sx;
    moved.ty += sy;
    render::Matrix savedRoot = rootToDevice;
    rootToDevice.tx += sx;
    rootToDevice.ty += sy;
    bool savedInBitmap = inBitmap;
    inBitmap = true;
    drawPlain(obj, moved, parentCx, clip, nesting);
    inBitmap = savedInBitmap;
    rootToDevice = savedRoot;
  }

  void drawPlain(const timeline::DisplayObject& obj, const render::Matrix& parent,
                 const render::ColorTransform& parentCx, const render::Mask* clip, int nesting) {
    drawColoured(obj, parent, obj.colorTransform.then(parentCx), clip, nesting);
  }

  // The object with cx as its whole colour transform.
  void drawColoured(const timeline::DisplayObject& obj, const render::Matrix& parent, const render::ColorTransform& cx,
                    const render::Mask* clip, int nesting) {
    render::Matrix m = placed(obj, parent);
    if (obj.sprite) {
      drawSprite(obj, m, cx, clip, nesting);
    } else if (const Drawable* d = drawableOf(obj)) {
      if (gridWarp) drawItems(gridWarp->warp(*d, obj.matrix), parent, cx, clip);
      else drawItems(*d, m, cx, clip);
    } else if (obj.character.kind == format::Character::Bitmap) {
      drawItems(bitmapDrawable(obj.character.bitmap), m, cx, clip);
    } else if (text::FontLibrary* fonts = fontsOf(obj);
               fonts && (obj.field || obj.character.kind == format::Character::StaticText)) {
      TextTarget t{target, m, cx, clip, options.antiAlias};
      if (obj.field)
        drawTextField(t, *obj.field, *fonts);
      else if (obj.character.text)
        drawStaticText(t, *obj.character.text, *fonts);
    }
  }

  // A sprite's children, within the clip its script mask and scroll rectangle add, with
  // its scaling grid applied to the shapes directly inside.
  void drawSprite(const timeline::DisplayObject& obj, const render::Matrix& m, const render::ColorTransform& cx,
                  const render::Mask* clip, int nesting) {
    const timeline::SpriteInstance& sprite = *obj.sprite;
    std::unique_ptr<render::Mask> own = scriptClip(sprite, m, clip, nesting);
    render::Matrix content = sprite.withScroll(m);
    GridWarp warp;
    const GridWarp* saved = gridWarp;
    const format::Rect* grid = sprite.scalingGrid();
    gridWarp = grid && gridFor(sprite, *grid, m, warp) ? &warp : nullptr;
    const render::Mask* inner = own ? own.get() : clip;
    drawScriptDrawing(sprite, content, cx, inner);
    withFontsOf(sprite, [&](Renderer& r) { r.drawList(sprite, content, cx, inner, nesting + 1); });
    gridWarp = saved;
  }

  // What scripts drew into a clip lies beneath its children.
  void drawScriptDrawing(const timeline::SpriteInstance& sprite, const render::Matrix& content,
                         const render::ColorTransform& cx, const render::Mask* clip) {
    const timeline::ClipDrawing* drawing = sprite.drawing();
    if (!drawing) return;
    const Drawable& d = cache.drawing(*drawing);
    if (gridWarp) drawItems(gridWarp->warp(d, render::Matrix{}), content, cx, clip);
    else drawItems(d, content, cx, clip);
  }

  // The grid works along the sprite's own axes: the scale along each is the length its
  // unit vector takes on the stage, whatever the rotation or skew.
  bool gridFor(const timeline::SpriteInstance& sprite, const format::Rect& grid, const render::Matrix& m,
               GridWarp& warp) const {
    if (!(options.viewPixelsPerTwip > 0)) return false;
    script::Bounds b = sprite.localBounds();
    if (b.empty) return false;
    format::Rect bounds{int32_t(b.xMin), int32_t(b.xMax), int32_t(b.yMin), int32_t(b.yMax)};
    float xScale = std::hypot(m.a, m.b) / options.viewPixelsPerTwip;
    float yScale = std::hypot(m.c, m.d) / options.viewPixelsPerTwip;
    return warp.set(grid, bounds, xScale, yScale);
  }

  // The script clip of a sprite intersected with the one around it; null when the sprite
  // has neither a script mask nor a scroll rectangle.
  std::unique_ptr<render::Mask> scriptClip(const timeline::SpriteInstance& sprite, const render::Matrix& m,
                                           const render::Mask* clip, int nesting) {
    const script::Bounds* rect = sprite.scrollRectOrNull();
    const timeline::SpriteInstance* maskClip = sprite.maskClip();
    if (!rect && !maskClip) return nullptr;
    auto own = std::make_unique<render::Mask>(target.width(), target.height());
    if (rect) {
      float w = float(rect->xMax - rect->xMin), h = float(rect->yMax - rect->yMin);
      render::Path box = rectanglePath(0, 0, w, h);
      render::fillMask(*own, box, render::FillRule::NonZero, m, options.antiAlias);
    }
    if (maskClip) {
      render::Mask shape(target.width(), target.height());
      bool saved = strokesMask;
      strokesMask = false;
      addSpriteToMask(shape, *maskClip, placementOf(*maskClip), nesting);
      strokesMask = saved;
      if (rect) own->intersect(shape);
      else *own = std::move(shape);
    }
    if (clip) own->intersect(*clip);
    return own;
  }

  // A clip's content space to the target, through every clip above it, their scroll
  // rectangles and its level root's placement.
  render::Matrix placementOf(const timeline::SpriteInstance& sprite) const {
    return timeline::contentToStage(sprite).then(rootToDevice);
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
      if (obj.sprite && obj.sprite->isMaskOfClip()) continue;  // drawn only as the mask it is
      // A clip that scripts gave a mask of its own stops being a timeline mask.
      if (obj.clipDepth && !(obj.sprite && obj.sprite->maskClip())) {
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
  renderLevels(target, {&root}, toDevice, options, cache);
}

void renderLevels(render::Surface& target, const std::vector<const timeline::SpriteInstance*>& levels,
                  const render::Matrix& toDevice, const RenderOptions& options, ShapeCache& cache) {
  Renderer r{target, options, cache, false, 0, toDevice};
  for (const timeline::SpriteInstance* root : levels) {
    if (!root || !root->visible()) continue;
    // A level root that scripts moved, scaled or tinted is drawn so, as its hit tests are.
    render::Matrix levelToDevice = root->matrix().then(toDevice);
    render::ColorTransform levelColor = root->colorTransform();
    r.drawScriptDrawing(*root, levelToDevice, levelColor, nullptr);
    r.withFontsOf(*root, [&](Renderer& inner) { inner.drawList(*root, levelToDevice, levelColor, nullptr, 0); });
  }
  if (options.filterCache) options.filterCache->sweep();
}

}  // namespace movie::paint
