// Layout passes with scroll bars, the display list, link hit testing and animation.
#include <algorithm>

#include "page/page_impl.h"
#include "page/style/resolve.h"

namespace page {
namespace {

// Lets layout reach the page's images and frame documents.
class PageLayoutHost : public LayoutHost {
 public:
  PageLayoutHost(Page::Impl& page, TextMeasurer& m) : page_(page), m_(m) {}

  std::shared_ptr<const Image> image(const std::string& url, int* slot) override {
    *slot = page_.imageSlot(url, true);
    if (*slot < 0) return nullptr;
    return page_.images[*slot].image;
  }

  void subdocument(const Node& frameElement, Rect area, LayoutOutput& out) override {
    auto it = page_.frameDocument.find(&frameElement);
    if (it == page_.frameDocument.end() || area.width <= 0 || area.height <= 0) return;
    const DocumentState& d = *page_.documents[it->second];
    if (d.load == DocumentState::Load::Waiting) return;
    LaidItem clip;
    clip.kind = ItemKind::PushClip;
    clip.rect = area;
    out.items.push_back(clip);
    LaidItem bg;
    bg.kind = ItemKind::FillRect;
    bg.rect = area;
    bg.color = 0xFFFFFFFF;
    out.items.push_back(bg);
    const int w = out.contentWidth, h = out.contentHeight;
    const Color background = out.background;
    layoutDocument(d.tree, d.base, area, m_, *this, out);
    out.contentWidth = w;
    out.contentHeight = h;
    out.background = background;
    LaidItem pop;
    pop.kind = ItemKind::PopClip;
    out.items.push_back(pop);
  }

 private:
  Page::Impl& page_;
  TextMeasurer& m_;
};

bool intersects(const Rect& a, const Rect& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

Rect intersect(const Rect& a, const Rect& b) {
  int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
  int x1 = std::min(a.x + a.width, b.x + b.width), y1 = std::min(a.y + a.height, b.y + b.height);
  return {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

// Walks the laid items with marquee offsets and clips applied, calling f(item, rect, clip)
// for drawable items and push/pop for clips. Offsets are in view pixels.
template <typename Visit, typename Push, typename Pop>
void walk(const Page::Impl& p, Visit visit, Push push, Pop pop) {
  struct Level { int dx, dy; Rect clip; };
  const ScrollState& s = p.scroll;
  std::vector<Level> stack{{-s.scrollX, -s.scrollY, {0, 0, s.viewWidth, s.viewHeight}}};
  for (const LaidItem& it : p.laid.items) {
    const Level& top = stack.back();
    if (it.kind == ItemKind::PopClip) {
      if (stack.size() > 1) {
        stack.pop_back();
        pop();
      }
      continue;
    }
    Rect r{it.rect.x + top.dx, it.rect.y + top.dy, it.rect.width, it.rect.height};
    if (it.kind == ItemKind::PushClip) {
      Level next{top.dx, top.dy, intersect(top.clip, r)};
      if (it.marquee >= 0 && size_t(it.marquee) < p.marquees.size()) {
        const MarqueeBox& m = p.laid.marquees[it.marquee];
        bool horizontal = m.direction == MarqueeDirection::Left || m.direction == MarqueeDirection::Right;
        (horizontal ? next.dx : next.dy) += p.marquees[it.marquee].position;
      }
      stack.push_back(next);
      push(next.clip);
      continue;
    }
    if (r.width <= 0 || r.height <= 0 || !intersects(r, top.clip)) continue;
    visit(it, r, top.clip);
  }
}

}  // namespace

void Page::Impl::layoutOnce(int width, int height, TextMeasurer& measurer) {
  laid = LayoutOutput{};
  DocumentState* d = top();
  if (!d) return;
  PageLayoutHost host(*this, measurer);
  layoutDocument(d->tree, d->base, {0, 0, width, height}, measurer, host, laid);
  background = laid.background;
}

void Page::Impl::layout(int width, int height, TextMeasurer& measurer, int scrollBarSize) {
  width = std::clamp(width, 0, 1 << 16);
  height = std::clamp(height, 0, 1 << 16);
  scrollBarSize = std::clamp(scrollBarSize, 0, 100);
  const int oldX = scroll.scrollX, oldY = scroll.scrollY;
  const size_t oldMarquees = laid.marquees.size();
  DocumentState* d = top();
  bool allowed = true;
  bool always = false;
  if (d) {
    if (d->scroll == "no") allowed = false;
    if (d->scroll == "yes") always = true;
    if (d->tree.frameset) allowed = false;  // frames fill the view
    if (d->tree.body) {
      StyleResolver r(d->tree);
      ComputedStyle html = r.compute(*d->tree.html, r.initial());
      ComputedStyle body = r.compute(*d->tree.body, html);
      if (body.overflow == Overflow::Hidden || html.overflow == Overflow::Hidden) allowed = false;
    }
  }
  bool vertical = allowed && always, horizontal = false;
  for (int pass = 0; pass < 3; ++pass) {
    int vw = std::max(0, width - (vertical ? scrollBarSize : 0));
    int vh = std::max(0, height - (horizontal ? scrollBarSize : 0));
    layoutOnce(vw, vh, measurer);
    bool needV = allowed && (always || laid.contentHeight > vh);
    bool needH = allowed && laid.contentWidth > vw;
    scroll.viewWidth = vw;
    scroll.viewHeight = vh;
    if (needV == vertical && needH == horizontal) break;
    vertical = vertical || needV;
    horizontal = horizontal || needH;
  }
  scroll.contentWidth = laid.contentWidth;
  scroll.contentHeight = laid.contentHeight;
  scroll.verticalBar = vertical;
  scroll.horizontalBar = horizontal;
  scroll.scrollX = std::clamp(oldX, 0, std::max(0, scroll.contentWidth - scroll.viewWidth));
  scroll.scrollY = std::clamp(oldY, 0, std::max(0, scroll.contentHeight - scroll.viewHeight));
  slotShown.assign(images.size(), false);
  for (const LaidItem& it : laid.items)
    if (it.kind == ItemKind::Image && it.imageSlot >= 0 && size_t(it.imageSlot) < slotShown.size())
      slotShown[it.imageSlot] = true;
  resetMarquees(oldMarquees == laid.marquees.size());
  dirty = false;
}

void Page::Impl::resetMarquees(bool keep) {
  if (keep && marquees.size() == laid.marquees.size()) return;
  marquees.assign(laid.marquees.size(), MarqueeState{});
  for (size_t i = 0; i < marquees.size(); ++i) {
    const MarqueeBox& m = laid.marquees[i];
    MarqueeState& s = marquees[i];
    bool horizontal = m.direction == MarqueeDirection::Left || m.direction == MarqueeDirection::Right;
    int box = horizontal ? m.box.width : m.box.height;
    int content = horizontal ? m.contentWidth : m.contentHeight;
    bool towardStart = m.direction == MarqueeDirection::Left || m.direction == MarqueeDirection::Up;
    if (m.behavior == MarqueeBehavior::Alternate)
      s.position = towardStart ? std::max(0, box - content) : std::min(0, box - content);
    else
      s.position = towardStart ? box : -content;
    if (m.amount == 0) s.finished = true;
  }
}

// One step of a marquee. Returns whether it moved.
static bool stepMarquee(const MarqueeBox& m, MarqueeState& s) {
  if (s.finished) return false;
  bool horizontal = m.direction == MarqueeDirection::Left || m.direction == MarqueeDirection::Right;
  int box = horizontal ? m.box.width : m.box.height;
  int content = horizontal ? m.contentWidth : m.contentHeight;
  int sign = (m.direction == MarqueeDirection::Left || m.direction == MarqueeDirection::Up) ? -1 : 1;
  auto passDone = [&]() {
    ++s.loopsDone;
    if (m.loop > 0 && s.loopsDone >= m.loop) s.finished = true;
  };
  switch (m.behavior) {
    case MarqueeBehavior::Scroll:
      s.position += sign * m.amount;
      if (sign < 0 ? s.position <= -content : s.position >= box) {
        passDone();
        if (!s.finished) s.position = sign < 0 ? box : -content;
      }
      break;
    case MarqueeBehavior::Slide: {
      // Slides in once and rests against the far edge.
      int rest = sign < 0 ? 0 : box - content;
      s.position += sign * m.amount;
      if (sign < 0 ? s.position <= rest : s.position >= rest) {
        s.position = rest;
        s.finished = true;
      }
      break;
    }
    case MarqueeBehavior::Alternate: {
      int a = 0, b = box - content;  // the two resting edges
      int lo = std::min(a, b), hi = std::max(a, b);
      int dir = s.forward ? sign : -sign;
      s.position += dir * m.amount;
      if (s.position <= lo || s.position >= hi) {
        s.position = std::clamp(s.position, lo, hi);
        s.forward = !s.forward;
        passDone();
      }
      break;
    }
  }
  return true;
}

std::optional<int> Page::Impl::advance(int elapsedMs) {
  elapsedMs = std::clamp(elapsedMs, 0, 1 << 24);
  std::optional<int> next;
  auto soonest = [&](int d) { next = next ? std::min(*next, d) : d; };
  for (size_t i = 0; i < images.size(); ++i) {
    ImageSlot& s = images[i];
    if (!s.image || !s.image->animated() || s.finished || i >= slotShown.size() || !slotShown[i]) continue;
    const auto& frames = s.image->frames;
    s.elapsed += elapsedMs;
    int64_t cycle = 0;
    for (const auto& f : frames) cycle += std::max(1, f.delayMs);
    if (s.image->loopCount == 0 && s.elapsed > cycle) s.elapsed = int(s.elapsed % cycle + 0);
    for (int guard = 0; guard < 100000 && !s.finished; ++guard) {
      int delay = std::max(1, frames[s.frame].delayMs);
      if (s.elapsed < delay) break;
      s.elapsed -= delay;
      if (++s.frame >= int(frames.size())) {
        ++s.loopsDone;
        if (s.image->loopCount > 0 && s.loopsDone >= s.image->loopCount) {
          s.frame = int(frames.size()) - 1;
          s.finished = true;
        } else {
          s.frame = 0;
        }
      }
    }
    if (!s.finished) soonest(std::max(1, frames[s.frame].delayMs) - s.elapsed);
  }
  for (size_t i = 0; i < marquees.size(); ++i) {
    const MarqueeBox& m = laid.marquees[i];
    MarqueeState& s = marquees[i];
    if (s.finished) continue;
    s.elapsed += elapsedMs;
    int steps = 0;
    while (s.elapsed >= m.delayMs && !s.finished && steps < 10000) {
      s.elapsed -= m.delayMs;
      stepMarquee(m, s);
      ++steps;
    }
    if (steps >= 10000) s.elapsed %= m.delayMs;
    if (!s.finished) soonest(m.delayMs - s.elapsed);
  }
  return next;
}

void Page::layout(int width, int height, TextMeasurer& measurer, int scrollBarSize) {
  impl_->layout(width, height, measurer, scrollBarSize);
}

DisplayList Page::displayList() const {
  const Impl& p = *impl_;
  DisplayList list;
  DisplayItem bg;
  bg.kind = ItemKind::FillRect;
  bg.rect = {0, 0, p.scroll.viewWidth, p.scroll.viewHeight};
  bg.color = p.background | 0xFF000000u;
  list.push_back(bg);
  walk(
      p,
      [&](const LaidItem& it, const Rect& r, const Rect&) {
        DisplayItem d;
        d.kind = it.kind;
        d.rect = r;
        if (it.kind == ItemKind::FillRect) {
          d.color = it.color | 0xFF000000u;
        } else if (it.kind == ItemKind::Text) {
          d.color = it.color | 0xFF000000u;
          d.font = it.font;
          d.text = it.text;
          d.baseline = it.baseline + (r.y - it.rect.y);
        } else if (it.kind == ItemKind::Image) {
          if (it.imageSlot < 0 || size_t(it.imageSlot) >= p.images.size()) return;
          const ImageSlot& s = p.images[it.imageSlot];
          if (!s.image) return;
          d.image = s.image;
          d.frame = std::clamp(s.frame, 0, int(s.image->frames.size()) - 1);
        }
        list.push_back(std::move(d));
      },
      [&](const Rect& clip) {
        DisplayItem d;
        d.kind = ItemKind::PushClip;
        d.rect = clip;
        list.push_back(d);
      },
      [&]() {
        DisplayItem d;
        d.kind = ItemKind::PopClip;
        list.push_back(d);
      });
  return list;
}

std::optional<std::string> Page::linkAt(int x, int y) const {
  const Impl& p = *impl_;
  int found = -1;
  walk(
      p,
      [&](const LaidItem& it, const Rect& r, const Rect& clip) {
        if (it.link >= 0 && r.contains(x, y) && clip.contains(x, y)) found = it.link;
      },
      [](const Rect&) {}, []() {});
  if (found < 0 || size_t(found) >= p.laid.links.size()) return std::nullopt;
  return p.laid.links[found];
}

}  // namespace page
