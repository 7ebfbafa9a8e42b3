#include "movie/text/face.h"

#include "movie/paint/shape_builder.h"

namespace movie::text {
namespace {

constexpr size_t kMaxDeviceGlyphs = 20'000;  // a cache bound for hostile text

}  // namespace

EmbeddedFace::EmbeddedFace(std::shared_ptr<const format::FontDef> font) : font_(std::move(font)) {
  unitsPerEm = font_->unitsPerEm;
  ascent = font_->ascent;
  descent = font_->descent;
  leading = font_->leading;
  if (!font_->hasLayout) {
    // Fonts without layout still get usable line metrics.
    ascent = unitsPerEm * 0.8f;
    descent = unitsPerEm * 0.2f;
  }
  for (size_t i = 0; i < font_->glyphs.size(); ++i) byCode_.emplace(font_->glyphs[i].code, int(i));
}

int EmbeddedFace::glyphFor(char32_t code) const {
  auto it = byCode_.find(code);
  return it == byCode_.end() ? -1 : it->second;
}

const GlyphOutline* EmbeddedFace::outline(int glyph) const {
  if (glyph < 0 || size_t(glyph) >= font_->glyphs.size()) return nullptr;
  auto it = outlines_.find(glyph);
  if (it == outlines_.end()) {
    auto built = std::make_unique<GlyphOutline>();
    paint::Drawable d = paint::buildDrawable(font_->glyphs[size_t(glyph)].outline);
    for (paint::DrawItem& item : d.items)
      if (!item.stroke) {
        render::Path& p = item.path;
        built->path.verbs.insert(built->path.verbs.end(), p.verbs.begin(), p.verbs.end());
        built->path.coords.insert(built->path.coords.end(), p.coords.begin(), p.coords.end());
      }
    it = outlines_.emplace(glyph, std::move(built)).first;
  }
  return it->second->path.empty() ? nullptr : it->second.get();
}

float EmbeddedFace::advance(int glyph) const {
  if (glyph < 0 || size_t(glyph) >= font_->glyphs.size()) return 0;
  const format::Glyph& g = font_->glyphs[size_t(glyph)];
  if (font_->hasLayout) return g.advance;
  // Without layout the glyph's own width stands in, with a little space after it.
  float minX = 0, maxX = 0;
  bool any = false;
  for (const auto& e : g.outline.edges) {
    for (float x : {e.x0, e.x1}) {
      minX = any ? std::min(minX, x) : x;
      maxX = any ? std::max(maxX, x) : x;
      any = true;
    }
  }
  return any ? maxX + unitsPerEm * 0.1f : unitsPerEm * 0.3f;
}

float EmbeddedFace::kerning(char32_t left, char32_t right) const {
  if (font_->kerning.empty()) return 0;
  auto it = font_->kerning.find({left, right});
  return it == font_->kerning.end() ? 0 : it->second;
}

DeviceFace::DeviceFace(FontService* service, FaceRequest request) : service_(service), request_(std::move(request)) {
  unitsPerEm = kDeviceUnitsPerEm;
  DeviceMetrics m;
  if (service_) m = service_->metrics(request_);
  ascent = m.ascent > 0 ? m.ascent : unitsPerEm * 0.9f;
  descent = m.descent > 0 ? m.descent : unitsPerEm * 0.22f;
  leading = m.leading;
}

const DeviceFace::Entry& DeviceFace::entry(char32_t code) const {
  auto it = glyphs_.find(code);
  if (it != glyphs_.end()) return it->second;
  if (glyphs_.size() > kMaxDeviceGlyphs) glyphs_.clear();
  Entry e;
  DeviceGlyph g;
  if (service_ && service_->glyph(request_, code, g)) {
    e.present = true;
    e.outline.path = std::move(g.path);
    e.outline.rule = render::FillRule::NonZero;
    e.advance = g.advance;
  }
  return glyphs_.emplace(code, std::move(e)).first->second;
}

int DeviceFace::glyphFor(char32_t code) const { return entry(code).present ? int(code) : -1; }

const GlyphOutline* DeviceFace::outline(int glyph) const {
  if (glyph < 0) return nullptr;
  const Entry& e = entry(char32_t(glyph));
  return e.present && !e.outline.path.empty() ? &e.outline : nullptr;
}

float DeviceFace::advance(int glyph) const { return glyph < 0 ? 0 : entry(char32_t(glyph)).advance; }

}  // namespace movie::text
