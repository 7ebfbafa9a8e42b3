// Block boxes: plain blocks (margins, padding, borders, fixed sizes, overflow clips),
// list markers and horizontal rules.
#include <algorithm>
#include <cstdlib>

#include "page/layout/layouter.h"
#include "page/layout/text_breaks.h"
#include "page/util/strings.h"
#include "page/util/url.h"

namespace page::layout_internal {

int Layouter::block(const Node& e, const ComputedStyle& st, int x, int y, int availWidth, const ComputedStyle& parent, int* right) {
  if (++depth_ > kMaxDepth * 2) { --depth_; *right = x; return 0; }
  int h;
  if (st.display == Display::Table) h = table(e, st, x, y, availWidth, parent, right);
  else if (e.tag == "marquee") h = marquee(e, st, x, y, availWidth, right);
  else if (e.tag == "hr") h = rule(e, st, x, y, availWidth, right);
  else h = plainBlock(e, st, x, y, availWidth, parent, right);
  --depth_;
  return h;
}

int Layouter::plainBlock(const Node& e, const ComputedStyle& st, int x, int y, int availWidth, const ComputedStyle& parent, int* right) {
  const int b = st.borderWidth;
  const Edges& pd = st.padding;
  int left = x + st.margin.left;
  int outerAvail = availWidth - st.margin.left - st.margin.right;
  int contentWidth = st.width.isAuto() ? outerAvail - 2 * b - pd.left - pd.right : st.width.resolve(availWidth, 0);
  contentWidth = std::clamp(contentWidth, 0, kHuge);
  int boxWidth = contentWidth + 2 * b + pd.left + pd.right;
  if (!st.width.isAuto() && parent.textAlign == TextAlign::Center && boxWidth < outerAvail)
    left += (outerAvail - boxWidth) / 2;
  size_t bgSlot = reserveBackground();
  size_t clipSlot = reserveBackground();
  FlowResult r = flow(e, st, left + b + pd.left, y + b + pd.top, contentWidth);
  int contentHeight = r.height;
  if (!st.height.isAuto()) {
    int specified = st.height.resolve(0, contentHeight);
    contentHeight = (st.overflow == Overflow::Visible) ? std::max(contentHeight, specified) : specified;
  }
  int boxHeight = contentHeight + 2 * b + pd.top + pd.bottom;
  Rect box{left, y, boxWidth, boxHeight};
  if (st.overflow != Overflow::Visible && e.tag != "body") {
    out_.items[clipSlot].kind = ItemKind::PushClip;
    out_.items[clipSlot].rect = {left + b, y + b, boxWidth - 2 * b, boxHeight - 2 * b};
    LaidItem pop;
    pop.kind = ItemKind::PopClip;
    out_.items.push_back(pop);
  }
  border(box, b, st.borderColor);
  if (st.display == Display::ListItem) bullet(e, st, left + b + pd.left, y + b + pd.top, clipSlot + 1);
  fillBackground(bgSlot, st, box);
  *right = std::max(left + boxWidth, left + b + pd.left + r.maxRight);
  if (st.overflow != Overflow::Visible) *right = left + boxWidth;
  return boxHeight;
}

void Layouter::bullet(const Node& e, const ComputedStyle& st, int contentX, int contentY, size_t firstItem) {
  std::u32string marker = U"\u2022";
  if (e.parent && e.parent->isElement("ol")) {
    int n = 0;
    for (const auto& c : e.parent->children) {
      if (c->isElement("li")) ++n;
      if (c.get() == &e) break;
    }
    marker.clear();
    for (char ch : std::to_string(n) + ".") marker += char32_t(ch);
  }
  FontMetrics fm = metrics(st.font);
  int baseline = contentY + fm.ascent;
  for (size_t i = firstItem; i < out_.items.size(); ++i)
    if (out_.items[i].kind == ItemKind::Text) {
      baseline = out_.items[i].baseline;
      break;
    }
  LaidItem t;
  t.kind = ItemKind::Text;
  t.font = st.font;
  t.color = st.color;
  t.text = marker;
  int w = textWidth(st.font, marker);
  t.rect = {contentX - w - 6, baseline - fm.ascent, w, fm.ascent + fm.descent};
  t.baseline = baseline;
  out_.items.push_back(std::move(t));
}

int Layouter::rule(const Node& e, const ComputedStyle& st, int x, int y, int availWidth, int* right) {
  int w = std::clamp(st.width.resolve(availWidth, availWidth), 0, kHuge);
  int h = std::clamp(st.height.resolve(0, 2), 1, 1000);
  int left = x;
  TextAlign a = st.blockAlign.value_or(TextAlign::Center);
  if (a == TextAlign::Center) left += (availWidth - w) / 2;
  else if (a == TextAlign::Right) left += availWidth - w;
  LaidItem it;
  it.kind = ItemKind::FillRect;
  it.rect = {left, y, w, h};
  it.color = e.attribute("color") ? parseColor(*e.attribute("color")).value_or(0xFF808080) : 0xFF808080;
  out_.items.push_back(it);
  *right = left + w;
  return h;
}

}  // namespace page::layout_internal
