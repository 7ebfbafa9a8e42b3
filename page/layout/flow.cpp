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
  FlowCursor at{cs, x, width, y, 0, {}, 0, {}};
  for (const Atom& a : atoms) {
    if (a.kind == Atom::Kind::Break) flushLine(at, &a);
    else if (a.kind == Atom::Kind::Block) flowBlock(at, a);
    else flowInline(at, a);
  }
  flushLine(at, nullptr);
  at.result.height = at.y - y + at.pendingMargin;
  return at.result;
}

void Layouter::flushLine(FlowCursor& at, const Atom* forcedBreak) {
  if (at.line.empty() && !forcedBreak) return;
  int ascent = 0, descent = 0;
  if (at.line.empty()) {
    FontMetrics fm = metrics(forcedBreak->style->font);
    ascent = fm.ascent;
    descent = fm.descent;
  }
  for (const Placed& p : at.line) {
    ascent = std::max(ascent, p.ascent);
    descent = std::max(descent, p.descent);
  }
  int shift = 0;
  if (at.box.textAlign == TextAlign::Center) shift = std::max(0, (at.width - at.lineX) / 2);
  else if (at.box.textAlign == TextAlign::Right) shift = std::max(0, at.width - at.lineX);
  at.y += at.pendingMargin;
  at.pendingMargin = 0;
  emitLine(at.line, at.x + shift, at.y, ascent);
  at.result.maxRight = std::max(at.result.maxRight, at.lineX + shift);
  at.y = clampCoord(int64_t(at.y) + ascent + descent);
  at.line.clear();
  at.lineX = 0;
}

void Layouter::flowBlock(FlowCursor& at, const Atom& a) {
  flushLine(at, nullptr);
  const ComputedStyle& st = *a.style;
  int top = at.y + std::max(at.pendingMargin, st.margin.top);
  int right = 0;
  const int savedLink = currentLink_;
  currentLink_ = a.link;  // a link around a block reaches into it
  int h = block(*a.node, st, at.x, top, at.width, at.box, &right);
  currentLink_ = savedLink;
  at.result.maxRight = std::max(at.result.maxRight, right - at.x);
  at.y = clampCoord(int64_t(top) + h);
  at.pendingMargin = st.margin.bottom;
}

void Layouter::flowInline(FlowCursor& at, const Atom& a) {
  auto spaceBefore = [&] { return a.spaceBefore && !at.line.empty() ? textWidth(a.style->font, U" ") : 0; };
  int space = spaceBefore();
  if (at.box.whiteSpace == WhiteSpace::Normal && !at.line.empty() && at.lineX + space + a.width > at.width) {
    wrapLine(at, a);
    space = spaceBefore();
  }
  VerticalExtent extent = a.kind == Atom::Kind::Word ? VerticalExtent{metrics(a.style->font)}
                                                     : replacedExtent(a, metrics(at.box.font));
  at.line.push_back(Placed{&a, at.lineX + space, extent.ascent, extent.descent});
  at.lineX = clampCoord(int64_t(at.lineX) + space + a.width);
}

void Layouter::wrapLine(FlowCursor& at, const Atom& next) {
  size_t cut = wrapPoint(at.line, next);
  if (cut == 0) return;  // no break allowed: the line overflows
  std::vector<Placed> carried(at.line.begin() + long(cut), at.line.end());
  at.line.resize(cut);
  at.lineX = at.line.back().x + at.line.back().atom->width;
  flushLine(at, nullptr);
  for (Placed p : carried) {
    if (!at.line.empty() && p.atom->spaceBefore) at.lineX += textWidth(p.atom->style->font, U" ");
    p.x = at.lineX;
    at.lineX += p.atom->width;
    at.line.push_back(p);
  }
}

void Layouter::emitLine(const std::vector<Placed>& line, int x, int y, int ascent) {
  const int baseline = y + ascent;
  OpenRun run;
  for (const Placed& p : line) {
    int left = x + p.x;
    if (p.atom->kind == Atom::Kind::Word) {
      emitWord(p, left, baseline, run);
      continue;
    }
    run = OpenRun{};
    emitReplaced(p, left, baseline);
  }
}

void Layouter::emitWord(const Placed& p, int left, int baseline, OpenRun& run) {
  const Atom& a = *p.atom;
  const ComputedStyle& st = *a.style;
  const FontMetrics fm = metrics(st.font);
  const Rect box{left, baseline - fm.ascent, a.width, fm.ascent + fm.descent};
  LaidItem* joined = run.item == out_.items.size() - 1 ? &out_.items[run.item] : nullptr;
  if (joined && joined->font == st.font && joined->color == st.color && joined->link == a.link && run.end <= left) {
    if (a.spaceBefore) joined->text += U' ';
    joined->text += a.text;
    joined->rect.width = left + a.width - joined->rect.x;
  } else {
    // An inline element's own background lies under its words.
    if (st.background && a.node->parent && a.node->parent->tag != "body" &&
        style(*a.node->parent).display == Display::Inline) {
      LaidItem bg;
      bg.kind = ItemKind::FillRect;
      bg.rect = box;
      bg.color = *st.background;
      out_.items.push_back(bg);
    }
    LaidItem t;
    t.kind = ItemKind::Text;
    t.rect = box;
    t.baseline = baseline;
    t.font = st.font;
    t.color = st.color;
    t.text = a.text;
    t.link = a.link;
    out_.items.push_back(std::move(t));
    run.item = out_.items.size() - 1;
  }
  run.end = left + a.width;
  if (st.lineThrough) {
    LaidItem s;
    s.kind = ItemKind::FillRect;
    s.rect = {left, baseline - fm.ascent / 3, a.width, 1};
    s.color = st.color;
    out_.items.push_back(s);
    run = OpenRun{};
  }
}

void Layouter::emitReplaced(const Placed& p, int left, int baseline) {
  const Atom& a = *p.atom;
  const ComputedStyle& st = *a.style;
  int top = baseline - p.ascent + st.margin.top;
  int x = left + st.margin.left;
  int w = a.width - st.margin.left - st.margin.right;
  int h = a.height - st.margin.top - st.margin.bottom;
  border(Rect{x, top, w, h}, st.borderWidth, st.borderColor, a.link);
  Rect inner{x + st.borderWidth, top + st.borderWidth, w - 2 * st.borderWidth, h - 2 * st.borderWidth};
  if (a.kind == Atom::Kind::Image && a.slot >= 0) {
    LaidItem im;
    im.kind = ItemKind::Image;
    im.rect = inner;
    im.imageSlot = a.slot;
    im.link = a.link;
    out_.items.push_back(im);
  } else if (a.kind == Atom::Kind::Frame) {
    host_.subdocument(*a.node, inner, out_);
  }
  maxRight_ = std::max(maxRight_, left + a.width);
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
