// Flow layout: block children stacked with collapsed margins, line boxes with word
// wrapping, and the backgrounds and borders of boxes.
#include <algorithm>
#include <cstdlib>

#include "page/layout/layouter.h"
#include "page/layout/text_breaks.h"
#include "page/util/strings.h"
#include "page/util/url.h"

namespace page::layout_internal {
namespace {

struct VerticalExtent {
  int ascent = 0, descent = 0;
  VerticalExtent(int a, int d) : ascent(a), descent(d) {}
  explicit VerticalExtent(const FontMetrics& fm) : ascent(fm.ascent), descent(fm.descent) {}
};

// How far an image or inline box reaches above and below the baseline, by its vertical
// alignment: middle sits on the middle of the container's lower-case letters.
VerticalExtent replacedExtent(const Atom& a, const FontMetrics& container) {
  if (a.style->verticalAlign == VAlign::Middle || a.style->blockAlign == TextAlign::Center) {
    int ascent = a.height / 2 + (container.ascent - container.descent) / 2;
    return {ascent, std::max(0, a.height - ascent)};
  }
  if (a.style->verticalAlign == VAlign::Top) return {0, a.height};
  return {a.height, 0};
}

// Where a full line breaks before `next`: before it when a break is allowed there,
// else at the last allowed place in the line (0: nowhere, it overflows).
size_t wrapPoint(const std::vector<Placed>& line, const Atom& next) {
  if (next.breakBefore) return line.size();
  for (size_t k = line.size(); k-- > 1;)
    if (line[k].atom->breakBefore) return k;
  return 0;
}

}  // namespace

FlowResult Layouter::flow(const Node& container, const ComputedStyle& cs, int x, int y, int width) {
  std::vector<Atom> atoms;
  bool pendingSpace = false;
  collect(container, atoms, currentLink_, pendingSpace);
  FlowResult result;
  int cursorY = y;
  int prevMarginBottom = 0;
  std::vector<Placed> line;
  int lineX = 0;
  auto flushLine = [&](bool forced, const Atom* breakAtom) {
    if (line.empty() && !(forced && breakAtom)) return;
    int ascent = 0, descent = 0;
    if (line.empty()) {
      FontMetrics fm = metrics(breakAtom->style->font);
      ascent = fm.ascent;
      descent = fm.descent;
    }
    for (const Placed& p : line) {
      ascent = std::max(ascent, p.ascent);
      descent = std::max(descent, p.descent);
    }
    int lineWidth = lineX;
    int shift = 0;
    if (cs.textAlign == TextAlign::Center) shift = std::max(0, (width - lineWidth) / 2);
    else if (cs.textAlign == TextAlign::Right) shift = std::max(0, width - lineWidth);
    cursorY += prevMarginBottom;
    prevMarginBottom = 0;
    emitLine(line, x + shift, cursorY, ascent);
    result.maxRight = std::max(result.maxRight, lineWidth + shift);
    cursorY = clampCoord(int64_t(cursorY) + ascent + descent);
    line.clear();
    lineX = 0;
  };
  const bool wrap = cs.whiteSpace == WhiteSpace::Normal;
  for (size_t i = 0; i < atoms.size(); ++i) {
    Atom& a = atoms[i];
    if (a.kind == Atom::Kind::Break) {
      flushLine(true, &a);
      continue;
    }
    if (a.kind == Atom::Kind::Block) {
      flushLine(false, nullptr);
      const ComputedStyle& st = *a.style;
      int mt = st.margin.top;
      int top = cursorY + std::max(prevMarginBottom, mt);
      int right = 0;
      const int savedLink = currentLink_;
      currentLink_ = a.link;  // a link around a block reaches into it
      int h = block(*a.node, st, x, top, width, cs, &right);
      currentLink_ = savedLink;
      result.maxRight = std::max(result.maxRight, right - x);
      cursorY = clampCoord(int64_t(top) + h);
      prevMarginBottom = st.margin.bottom;
      continue;
    }
    int space = 0;
    if (a.spaceBefore && !line.empty()) space = textWidth(a.style->font, U" ");
    VerticalExtent extent = a.kind == Atom::Kind::Word ? VerticalExtent{metrics(a.style->font)}
                                                       : replacedExtent(a, metrics(cs.font));
    if (wrap && !line.empty() && lineX + space + a.width > width) {
      // Break at the last place a break is allowed; what follows moves down.
      size_t cut = wrapPoint(line, a);
      if (cut > 0) {
        std::vector<Placed> carried(line.begin() + long(cut), line.end());
        line.resize(cut);
        lineX = line.back().x + line.back().atom->width;
        flushLine(false, nullptr);
        for (Placed p : carried) {
          if (!line.empty() && p.atom->spaceBefore) lineX += textWidth(p.atom->style->font, U" ");
          p.x = lineX;
          lineX += p.atom->width;
          line.push_back(p);
        }
        space = (a.spaceBefore && !line.empty()) ? textWidth(a.style->font, U" ") : 0;
      }
    }
    line.push_back(Placed{&a, lineX + space, extent.ascent, extent.descent});
    lineX = clampCoord(int64_t(lineX) + space + a.width);
  }
  flushLine(false, nullptr);
  result.height = cursorY - y + prevMarginBottom;
  return result;
}

void Layouter::emitLine(const std::vector<Placed>& line, int x, int y, int ascent) {
  const int baseline = y + ascent;
  size_t run = SIZE_MAX;  // index of the text run a following word may join
  int runEnd = 0;
  for (const Placed& p : line) {
    const Atom& a = *p.atom;
    int left = x + p.x;
    if (a.kind == Atom::Kind::Word) {
      const ComputedStyle& st = *a.style;
      const FontMetrics fm = metrics(st.font);
      LaidItem* joined = run == out_.items.size() - 1 ? &out_.items[run] : nullptr;
      if (joined && joined->font == st.font && joined->color == st.color && joined->link == a.link &&
          runEnd <= left) {
        if (a.spaceBefore) joined->text += U' ';
        joined->text += a.text;
        joined->rect.width = left + a.width - joined->rect.x;
      } else {
        if (st.background && a.node->parent && a.node->parent->tag != "body" &&
            style(*a.node->parent).display == Display::Inline) {
          LaidItem bg;
          bg.kind = ItemKind::FillRect;
          bg.rect = {left, baseline - fm.ascent, a.width, fm.ascent + fm.descent};
          bg.color = *st.background;
          out_.items.push_back(bg);
        }
        LaidItem t;
        t.kind = ItemKind::Text;
        t.rect = {left, baseline - fm.ascent, a.width, fm.ascent + fm.descent};
        t.baseline = baseline;
        t.font = st.font;
        t.color = st.color;
        t.text = a.text;
        t.link = a.link;
        out_.items.push_back(std::move(t));
        run = out_.items.size() - 1;
      }
      runEnd = left + a.width;
      if (st.lineThrough) {
        LaidItem s;
        s.kind = ItemKind::FillRect;
        s.rect = {left, baseline - fm.ascent / 3, a.width, 1};
        s.color = st.color;
        out_.items.push_back(s);
        run = SIZE_MAX;
      }
      continue;
    }
    run = SIZE_MAX;
    const ComputedStyle& st = *a.style;
    int top = baseline - p.ascent + st.margin.top;
    int left2 = left + st.margin.left;
    int w = a.width - st.margin.left - st.margin.right;
    int h = a.height - st.margin.top - st.margin.bottom;
    Rect outer{left2, top, w, h};
    border(outer, st.borderWidth, st.borderColor, a.link);
    Rect inner{left2 + st.borderWidth, top + st.borderWidth, w - 2 * st.borderWidth, h - 2 * st.borderWidth};
    if (a.kind == Atom::Kind::Image) {
      if (a.slot >= 0) {
        LaidItem im;
        im.kind = ItemKind::Image;
        im.rect = inner;
        im.imageSlot = a.slot;
        im.link = a.link;
        out_.items.push_back(im);
      }
    } else if (a.kind == Atom::Kind::Frame) {
      host_.subdocument(*a.node, inner, out_);
    }
    maxRight_ = std::max(maxRight_, left + a.width);
  }
}

void Layouter::border(Rect r, int b, Color c, int link) {
  if (b <= 0 || r.width <= 0 || r.height <= 0) return;
  b = std::min({b, r.width, r.height});
  const Rect sides[4] = {{r.x, r.y, r.width, b},
                         {r.x, r.y + r.height - b, r.width, b},
                         {r.x, r.y + b, b, r.height - 2 * b},
                         {r.x + r.width - b, r.y + b, b, r.height - 2 * b}};
  for (const Rect& s : sides) {
    LaidItem it;
    it.kind = ItemKind::FillRect;
    it.rect = s;
    it.color = c;
    it.link = link;
    out_.items.push_back(it);
  }
}

size_t Layouter::reserveBackground() {
  out_.items.push_back(LaidItem{});
  out_.items.back().rect = {0, 0, 0, 0};
  return out_.items.size() - 1;
}

void Layouter::fillBackground(size_t slot, const ComputedStyle& st, Rect r) {
  if (st.background) {
    out_.items[slot].kind = ItemKind::FillRect;
    out_.items[slot].rect = r;
    out_.items[slot].color = *st.background;
  }
  if (st.backgroundImage.empty() || r.width <= 0 || r.height <= 0) return;
  int imageSlot = -1;
  auto img = host_.image(resolveUrl(base_, st.backgroundImage), &imageSlot);
  if (!img || imageSlot < 0 || img->width <= 0 || img->height <= 0) return;
  std::vector<LaidItem> tiles;
  LaidItem clip;
  clip.kind = ItemKind::PushClip;
  clip.rect = r;
  tiles.push_back(clip);
  int count = 0;
  for (int ty = r.y; ty < r.y + r.height && count < kMaxTiles; ty += img->height)
    for (int tx = r.x; tx < r.x + r.width && count < kMaxTiles; tx += img->width, ++count) {
      LaidItem t;
      t.kind = ItemKind::Image;
      t.rect = {tx, ty, img->width, img->height};
      t.imageSlot = imageSlot;
      tiles.push_back(t);
    }
  LaidItem pop;
  pop.kind = ItemKind::PopClip;
  tiles.push_back(pop);
  out_.items.insert(out_.items.begin() + long(slot) + 1, tiles.begin(), tiles.end());
}

}  // namespace page::layout_internal
