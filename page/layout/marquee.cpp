// Marquees: the scrolling box and its content, laid out once; the movement is
// applied when painting.
#include <algorithm>
#include <cstdlib>

#include "page/layout/layouter.h"
#include "page/layout/text_breaks.h"
#include "page/util/strings.h"
#include "page/util/url.h"

namespace page::layout_internal {

int Layouter::marquee(const Node& e, const ComputedStyle& st, int x, int y, int availWidth, int* right) {
  MarqueeBox m;
  std::string dir = e.attribute("direction") ? lowerAscii(trim(*e.attribute("direction"))) : "left";
  m.direction = dir == "right" ? MarqueeDirection::Right
                : dir == "up"  ? MarqueeDirection::Up
                : dir == "down" ? MarqueeDirection::Down
                                : MarqueeDirection::Left;
  std::string beh = e.attribute("behavior") ? lowerAscii(trim(*e.attribute("behavior"))) : "scroll";
  m.behavior = beh == "slide" ? MarqueeBehavior::Slide : beh == "alternate" ? MarqueeBehavior::Alternate
                                                                           : MarqueeBehavior::Scroll;
  auto intAttr = [&](const char* name, int fallback, int lo, int hi) {
    const std::string* v = e.attribute(name);
    if (!v || trim(*v).empty()) return fallback;
    return std::clamp(std::atoi(std::string(trim(*v)).c_str()), lo, hi);
  };
  m.amount = intAttr("scrollamount", 6, 0, 1000);
  m.delayMs = intAttr("scrolldelay", 85, 1, 100000);
  if (!e.attribute("truespeed")) m.delayMs = std::max(m.delayMs, 60);
  m.loop = intAttr("loop", -1, -1, 100000);
  if (m.loop == 0) m.loop = -1;
  const bool horizontal = m.direction == MarqueeDirection::Left || m.direction == MarqueeDirection::Right;
  int left = x + st.margin.left;
  int avail = availWidth - st.margin.left - st.margin.right;
  int w = std::clamp(st.width.resolve(avail, avail), 0, kHuge);
  size_t bg = reserveBackground();
  size_t clip = out_.items.size();
  LaidItem push;
  push.kind = ItemKind::PushClip;
  push.marquee = int(out_.marquees.size());
  out_.items.push_back(push);
  out_.marquees.push_back(m);
  ComputedStyle inner = st;
  if (horizontal) inner.whiteSpace = WhiteSpace::NoWrap;
  int savedMaxRight = maxRight_;
  FlowResult fr = flow(e, inner, left, y, horizontal ? kHuge : w);
  maxRight_ = savedMaxRight;  // what scrolls inside does not widen the page
  int h = st.height.isAuto() ? fr.height : std::clamp(st.height.resolve(0, fr.height), 0, 10000);
  if (!horizontal && st.height.isAuto()) h = std::max(h, 0);
  Rect box{left, y, w, h};
  LaidItem pop;
  pop.kind = ItemKind::PopClip;
  out_.items.push_back(pop);
  MarqueeBox& mb = out_.marquees[out_.items[clip].marquee];
  mb.box = box;
  mb.contentWidth = horizontal ? fr.maxRight : w;
  mb.contentHeight = fr.height;
  out_.items[clip].rect = box;
  fillBackground(bg, st, box);
  *right = left + w;
  return h;
}

}  // namespace page::layout_internal
