#pragma once
// Draws a display tree into a surface: matrices and colour transforms composed down
// the tree, clip-depth masks (nested ones intersect), blend modes, filters (through
// the filter cache) and quality settings.
#include <vector>

#include "movie/paint/shape_cache.h"
#include "movie/render/render.h"
#include "movie/text/font_library.h"
#include "movie/timeline/display_list.h"

namespace movie::paint {

class FilterCache;

struct RenderOptions {
  render::AntiAlias antiAlias = render::AntiAlias::Full;
  // Device pixels per twip of the view alone: non-scaling strokes keep their width
  // under object transforms and follow only the stage scale and zoom.
  float viewPixelsPerTwip = 1.0f / 20;
  // The movie's fonts; text draws nothing without them.
  text::FontLibrary* fonts = nullptr;
  // Keeps filtered objects' pictures between frames; none: every one is drawn anew.
  FilterCache* filterCache = nullptr;
};

void renderTree(render::Surface& target, const timeline::SpriteInstance& root,
                const render::Matrix& toDevice, const RenderOptions& options, ShapeCache& cache);
// The levels of a stage, lowest first, each above the ones before it.
void renderLevels(render::Surface& target, const std::vector<const timeline::SpriteInstance*>& levels,
                  const render::Matrix& toDevice, const RenderOptions& options, ShapeCache& cache);

}  // namespace movie::paint
