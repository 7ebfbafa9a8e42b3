#include "movie/paint/text_painter.h"

#include <algorithm>
#include <memory>

#include "movie/paint/rectangle_path.h"

namespace movie::paint {
namespace {

constexpr double kGlyphCurveTolerance = 0.01;  // device pixels

render::Matrix glyphMatrix(float size, float unitsPerEm, float x, float y, const render::Matrix& outer) {
  render::Matrix g;
  g.a = g.d = size / unitsPerEm;
  g.tx = x;
  g.ty = y;
  return g.then(outer);
}

// How the text's pieces are drawn through matrix m.
render::DrawState stateOf(const TextTarget& t, const render::Matrix& m) {
  render::DrawState state;
  state.toDevice = m;
  state.colorTransform = t.colorTransform;
  state.antiAlias = t.antiAlias;
  state.clip = t.clip;
  // Glyph outlines keep their curves: cut finely at even steps, off the twip grid.
  state.curveTolerance = kGlyphCurveTolerance;
  return state;
}

void fillGlyph(const TextTarget& t, const text::Face& face, int glyph, float size, float x, float y,
               const render::Matrix& outer, render::Color color) {
  const text::GlyphOutline* o = face.outline(glyph);
  if (!o) return;
  render::fillPath(t.surface, o->path, color, o->rule, stateOf(t, glyphMatrix(size, face.unitsPerEm, x, y, outer)));
}

void fillRect(const TextTarget& t, float x0, float y0, float x1, float y1, render::Color color,
              const render::Matrix& m) {
  render::fillPath(t.surface, rectanglePath(x0, y0, x1, y1), color, render::FillRule::NonZero, stateOf(t, m));
}

// The field's box drawn under its text: background, then a one-pixel border inside it.
void drawBox(const TextTarget& t, const text::TextField& field) {
  const format::Rect& b = field.bounds();
  const auto& s = field.settings();
  if (s.background) fillRect(t, float(b.xMin), float(b.yMin), float(b.xMax), float(b.yMax), s.backgroundColor, t.toDevice);
  if (!s.border) return;
  // One-pixel lines whose pixels start on the box's edges, so the right and bottom
  // lines lie just outside it; they leave the bottom right corner pixel out.
  float x0 = float(b.xMin), y0 = float(b.yMin), x1 = float(b.xMax), y1 = float(b.yMax);
  render::Path frame;
  for (const render::Path& line : {rectanglePath(x0, y0, x1 + 20, y0 + 20), rectanglePath(x0, y0, x0 + 20, y1 + 20),
                                   rectanglePath(x1, y0, x1 + 20, y1), rectanglePath(x0, y1, x1, y1 + 20)}) {
    frame.verbs.insert(frame.verbs.end(), line.verbs.begin(), line.verbs.end());
    frame.coords.insert(frame.coords.end(), line.coords.begin(), line.coords.end());
  }
  render::fillPath(t.surface, frame, s.borderColor, render::FillRule::NonZero, stateOf(t, t.toDevice));
}

void drawSelection(const TextTarget& t, const text::TextField& field, const text::TextLayout& l,
                   const render::Matrix& m) {
  size_t b = field.selectionBegin(), e = field.selectionEnd();
  if (b == e) {
    if (!field.settings().input || l.lines.empty()) return;
    const text::LineBox& line = l.lines[l.lineOf(b)];
    float x = l.caretX(b);
    fillRect(t, x, line.top, x + 20, line.top + line.height, render::Color{0, 0, 0, 255}, m);
    return;
  }
  for (size_t i = b; i < e && i < l.charLeft.size(); ++i) {
    const text::LineBox& line = l.lines[l.lineOf(i)];
    fillRect(t, l.charLeft[i], line.top, l.charRight[i], line.top + line.height, render::Color{0, 0, 0, 255}, m);
  }
}

}  // namespace

void drawStaticText(const TextTarget& t, const format::StaticTextDef& text, text::FontLibrary& fonts) {
  render::Matrix outer = text.matrix.then(t.toDevice);
  for (const format::TextRun& run : text.runs) {
    const text::Face* face = fonts.embedded(run.fontId);
    if (!face) continue;
    for (const format::GlyphEntry& g : run.glyphs) fillGlyph(t, *face, g.index, run.height, g.x, run.y, outer, run.color);
  }
}

void drawTextField(const TextTarget& target, const text::TextField& field, text::FontLibrary& fonts) {
  drawBox(target, field);
  const text::TextLayout& l = field.layout(fonts);
  const format::Rect& b = field.bounds();
  // Text shows only inside the field's box.
  std::unique_ptr<render::Mask> box = std::make_unique<render::Mask>(target.surface.width(), target.surface.height());
  render::Path area = rectanglePath(float(b.xMin), float(b.yMin), float(b.xMax), float(b.yMax));
  render::fillMask(*box, area, render::FillRule::NonZero, target.toDevice, render::AntiAlias::None);
  if (target.clip) box->intersect(*target.clip);
  TextTarget t = target;
  t.clip = box.get();
  float scrollTop = l.lines.empty() ? 0 : l.lines[std::min(size_t(field.scroll() - 1), l.lines.size() - 1)].top;
  render::Matrix m;
  m.tx = float(b.xMin) + text::kFieldGutter;
  m.ty = float(b.yMin) + text::kFieldGutter - scrollTop;
  m = m.then(target.toDevice);
  if (field.focused()) drawSelection(t, field, l, m);
  size_t selB = field.focused() ? field.selectionBegin() : 0, selE = field.focused() ? field.selectionEnd() : 0;
  for (const text::PlacedGlyph& g : l.glyphs) {
    bool selected = g.charIndex >= selB && g.charIndex < selE;
    fillGlyph(t, *g.face, g.glyph, g.size, g.x, g.baseline, m, selected ? render::Color{255, 255, 255, 255} : g.color);
  }
  for (const text::Underline& u : l.underlines) fillRect(t, u.x0, u.y, u.x1, u.y + u.thickness, u.color, m);
}

void maskStaticText(render::Mask& mask, const format::StaticTextDef& text, text::FontLibrary& fonts,
                    const render::Matrix& toDevice, render::AntiAlias aa) {
  render::Matrix outer = text.matrix.then(toDevice);
  for (const format::TextRun& run : text.runs) {
    const text::Face* face = fonts.embedded(run.fontId);
    if (!face) continue;
    for (const format::GlyphEntry& g : run.glyphs)
      if (const text::GlyphOutline* o = face->outline(g.index))
        render::fillMask(mask, o->path, o->rule, glyphMatrix(run.height, face->unitsPerEm, g.x, run.y, outer), aa);
  }
}

void maskTextField(render::Mask& mask, const text::TextField& field, const render::Matrix& toDevice,
                   render::AntiAlias aa) {
  const format::Rect& b = field.bounds();
  render::Path area = rectanglePath(float(b.xMin), float(b.yMin), float(b.xMax), float(b.yMax));
  render::fillMask(mask, area, render::FillRule::NonZero, toDevice, aa);
}

}  // namespace movie::paint
