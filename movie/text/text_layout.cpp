#include "movie/text/text_layout.h"

#include <algorithm>
#include <cmath>

namespace movie::text {
namespace {

constexpr float kTwips = 20;
constexpr float kDefaultTabTwips = 40 * kTwips;
constexpr size_t kMaxLaidOutChars = 1'000'000;

bool isCjk(char32_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x2FFFF);
}

bool isBreakingSpace(char32_t c) { return c == ' ' || c == '\t' || c == 0x3000; }

// Text is laid out in whole twips: advances, line metrics and the alignment shift drop
// their fractions, so glyph origins land on the twip grid of the field.
float wholeTwips(float twips) { return std::floor(twips); }

// One character as measured for layout.
struct Item {
  size_t index;
  char32_t shown;
  const Face* face;
  int glyph;
  float advance;
  float size;
  render::Color color;
  bool underline;
};

class Layouter {
 public:
  Layouter(const StyledText& text, FontLibrary& fonts, const LayoutOptions& options)
      : text_(text), fonts_(fonts), options_(options) {
    out_.charLeft.assign(text.size(), 0);
    out_.charRight.assign(text.size(), 0);
    out_.charLine.assign(text.size(), 0);
  }

  TextLayout run() {
    const std::u32string& chars = text_.chars();
    size_t count = std::min(chars.size(), kMaxLaidOutChars);
    size_t begin = 0;
    while (true) {
      size_t end = chars.find(U'\r', begin);
      if (end == std::u32string::npos || end > count) end = count;
      paragraph(begin, end);
      if (end >= count) break;
      out_.charLeft[end] = out_.charRight[end] = lastLineEnd();
      out_.charLine[end] = uint32_t(out_.lines.size() - 1);
      begin = end + 1;
    }
    out_.textHeight = y_ - (out_.lines.empty() ? 0 : lastLeading_);
    return std::move(out_);
  }

 private:
  float lastLineEnd() const {
    const LineBox& l = out_.lines.back();
    return l.left + l.width;
  }

  Item measure(size_t i, char32_t previous) {
    const Format& f = text_.formatAt(i);
    Item item{i, options_.password ? U'*' : text_.chars()[i], nullptr, -1, 0, f.chars.size * kTwips, f.chars.color,
              f.chars.underline};
    item.face = faceFor(f.chars, fonts_, options_.embedFonts);
    if (!item.face) return item;
    float scale = item.size / item.face->unitsPerEm;
    item.glyph = item.face->glyphFor(item.shown);
    if (item.glyph >= 0) item.advance = item.face->advance(item.glyph) * scale;
    if (f.chars.kerning && previous) item.advance += item.face->kerning(previous, item.shown) * scale;
    item.advance = wholeTwips(item.advance + f.chars.letterSpacing * kTwips);
    return item;
  }

  float tabStop(const ParaFormat& para, float x) const {
    for (float stop : para.tabStops)
      if (stop * kTwips > x + 1) return stop * kTwips;
    return (std::floor(x / kDefaultTabTwips) + 1) * kDefaultTabTwips;
  }

  void paragraph(size_t begin, size_t end) {
    const ParaFormat& para = text_.paragraphAt(begin);
    float left = (para.leftMargin + para.blockIndent) * kTwips;
    float right = options_.width - para.rightMargin * kTwips;
    float first = left + para.indent * kTwips + (para.bullet ? 15 * kTwips : 0);
    std::vector<Item> line;
    float x = first;
    size_t breakAt = 0;  // items before this index fit on the line when it must wrap
    char32_t previous = 0;
    bool firstLine = true;
    for (size_t i = begin; i < end; ++i) {
      Item item = measure(i, previous);
      previous = item.shown;
      if (item.shown == U'\t') item.advance = tabStop(para, x) - x;
      bool overflow = options_.wordWrap && !line.empty() && !isBreakingSpace(item.shown) && x + item.advance > right;
      if (overflow) {
        size_t cut = breakAt > 0 ? breakAt : line.size();
        std::vector<Item> rest(line.begin() + long(cut), line.end());
        line.resize(cut);
        finishLine(line, para, firstLine ? first : left, right, begin, firstLine);
        firstLine = false;
        line = std::move(rest);
        x = left;
        for (const Item& r : line) x += r.advance;
        breakAt = 0;
      }
      if (isCjk(item.shown) && !line.empty()) breakAt = line.size();
      line.push_back(item);
      x += item.advance;
      if (isBreakingSpace(item.shown) || isCjk(item.shown)) breakAt = line.size();
    }
    finishLine(line, para, firstLine ? first : left, right, begin, firstLine);
  }

  void finishLine(const std::vector<Item>& items, const ParaFormat& para, float start, float right,
                  size_t paraBegin, bool firstLine) {
    LineBox box;
    box.top = y_;
    float ascent = 0, descent = 0;
    size_t metricsFrom = items.empty() ? std::min(paraBegin, text_.size() ? text_.size() - 1 : 0) : items[0].index;
    if (items.empty() && text_.size()) {
      Item probe = measure(metricsFrom, 0);
      if (probe.face) {
        ascent = wholeTwips(probe.face->ascent * probe.size / probe.face->unitsPerEm);
        descent = wholeTwips(probe.face->descent * probe.size / probe.face->unitsPerEm);
      }
    }
    float width = 0, inked = 0;
    for (const Item& it : items) {
      if (it.face) {
        ascent = std::max(ascent, wholeTwips(it.face->ascent * it.size / it.face->unitsPerEm));
        descent = std::max(descent, wholeTwips(it.face->descent * it.size / it.face->unitsPerEm));
      }
      width += it.advance;
      if (!isBreakingSpace(it.shown)) inked = width;
    }
    box.baseline = y_ + ascent;
    box.height = ascent + descent;
    float room = right - start - inked;
    float shift = para.align == Align::Center ? wholeTwips(room / 2) : para.align == Align::Right ? room : 0;
    box.left = start + std::max(0.0f, shift);
    box.width = inked;
    box.begin = items.empty() ? paraBegin : items.front().index;
    box.end = items.empty() ? paraBegin : items.back().index + 1;
    place(items, box, para, firstLine);
    out_.textWidth = std::max(out_.textWidth, box.left + inked);
    out_.lines.push_back(box);
    lastLeading_ = para.leading * kTwips;
    y_ += box.height + lastLeading_;
  }

  void place(const std::vector<Item>& items, const LineBox& box, const ParaFormat& para, bool firstLine) {
    float x = box.left;
    uint32_t lineIndex = uint32_t(out_.lines.size());
    if (para.bullet && firstLine && !items.empty() && items[0].face) {
      const Item& f = items[0];
      int bullet = f.face->glyphFor(U'\u2022');
      if (bullet >= 0)
        out_.glyphs.push_back({f.face, bullet, box.left - 15 * kTwips, box.baseline, f.size, f.color, uint32_t(f.index)});
    }
    for (const Item& it : items) {
      out_.charLeft[it.index] = x;
      out_.charRight[it.index] = x + it.advance;
      out_.charLine[it.index] = lineIndex;
      if (it.glyph >= 0 && !isBreakingSpace(it.shown))
        out_.glyphs.push_back({it.face, it.glyph, x, box.baseline, it.size, it.color, uint32_t(it.index)});
      if (it.underline)
        out_.underlines.push_back({x, x + it.advance, box.baseline + it.size / 16, std::max(20.0f, it.size / 20), it.color});
      x += it.advance;
    }
  }

  const StyledText& text_;
  FontLibrary& fonts_;
  const LayoutOptions& options_;
  TextLayout out_;
  float y_ = 0;
  float lastLeading_ = 0;
};

}  // namespace

TextLayout layoutText(const StyledText& text, FontLibrary& fonts, const LayoutOptions& options) {
  return Layouter(text, fonts, options).run();
}

const Face* faceFor(const CharFormat& format, FontLibrary& fonts, bool embedFonts) {
  if (embedFonts) return fonts.embeddedByName(format.font, format.bold, format.italic);
  return fonts.device(FaceRequest{format.font, format.bold, format.italic});
}

size_t TextLayout::lineOf(size_t i) const {
  if (lines.empty()) return 0;
  if (i < charLine.size()) return charLine[i];
  return lines.size() - 1;
}

float TextLayout::caretX(size_t i) const {
  if (i < charLeft.size()) return charLeft[i];
  if (!charRight.empty()) return charRight.back();
  return lines.empty() ? 0 : lines.front().left;
}

size_t TextLayout::hitTest(float x, float y) const {
  if (lines.empty()) return 0;
  size_t line = lines.size() - 1;
  for (size_t l = 0; l < lines.size(); ++l)
    if (y < lines[l].top + lines[l].height) {
      line = l;
      break;
    }
  const LineBox& box = lines[line];
  for (size_t i = box.begin; i < box.end && i < charLeft.size(); ++i)
    if (x < (charLeft[i] + charRight[i]) / 2) return i;
  return box.end;
}

}  // namespace movie::text
