#pragma once
// A font as text layout and drawing see it: glyphs by code point, their outlines and
// advances in font units, and the font's vertical metrics. Embedded fonts and device
// fonts both take this shape.
#include <cstdint>
#include <map>
#include <memory>

#include "movie/format/font.h"
#include "movie/render/render.h"
#include "movie/text/font_service.h"

namespace movie::text {

struct GlyphOutline {
  render::Path path;
  render::FillRule rule = render::FillRule::EvenOdd;
};

class Face {
 public:
  virtual ~Face() = default;
  // The glyph for a code point, -1 when the face has none.
  virtual int glyphFor(char32_t code) const = 0;
  // null for an empty glyph (a space).
  virtual const GlyphOutline* outline(int glyph) const = 0;
  virtual float advance(int glyph) const = 0;
  virtual float kerning(char32_t left, char32_t right) const { return 0; }
  float unitsPerEm = 1024;
  float ascent = 0, descent = 0, leading = 0;
};

// A font the movie embeds; its outlines are built on first use.
class EmbeddedFace : public Face {
 public:
  explicit EmbeddedFace(std::shared_ptr<const format::FontDef> font);
  int glyphFor(char32_t code) const override;
  const GlyphOutline* outline(int glyph) const override;
  float advance(int glyph) const override;
  float kerning(char32_t left, char32_t right) const override;
  const format::FontDef& font() const { return *font_; }

 private:
  std::shared_ptr<const format::FontDef> font_;
  std::map<char32_t, int> byCode_;
  mutable std::map<int, std::unique_ptr<GlyphOutline>> outlines_;
};

// A face of the system, through the host's font service (which may be absent: then the
// face has no glyphs).
class DeviceFace : public Face {
 public:
  DeviceFace(FontService* service, FaceRequest request);
  int glyphFor(char32_t code) const override;
  const GlyphOutline* outline(int glyph) const override;
  float advance(int glyph) const override;

 private:
  struct Entry {
    bool present = false;
    GlyphOutline outline;
    float advance = 0;
  };
  const Entry& entry(char32_t code) const;
  FontService* service_;
  FaceRequest request_;
  mutable std::map<char32_t, Entry> glyphs_;
};

}  // namespace movie::text
