#pragma once
// Draws static text and text fields with the engine's rasterizer: glyph outlines of
// embedded or device fonts filled in the text colour, field backgrounds, borders,
// selection and caret, clipped to the field's box.
#include "movie/format/text_def.h"
#include "movie/render/render.h"
#include "movie/text/font_library.h"
#include "movie/text/text_field.h"

namespace movie::paint {

// Where and how text lands: the object's matrix to device pixels, its colour
// transform, the clip in force and the anti-aliasing of the quality setting.
struct TextTarget {
  render::Surface& surface;
  render::Matrix toDevice;
  render::ColorTransform colorTransform;
  const render::Mask* clip = nullptr;
  render::AntiAlias antiAlias = render::AntiAlias::Full;
};

void drawStaticText(const TextTarget& target, const format::StaticTextDef& text, text::FontLibrary& fonts);
void drawTextField(const TextTarget& target, const text::TextField& field, text::FontLibrary& fonts);
// Text used as a mask: the glyphs' coverage (a field adds its whole box).
void maskStaticText(render::Mask& mask, const format::StaticTextDef& text, text::FontLibrary& fonts,
                    const render::Matrix& toDevice, render::AntiAlias aa);
void maskTextField(render::Mask& mask, const text::TextField& field, const render::Matrix& toDevice,
                   render::AntiAlias aa);

}  // namespace movie::paint
