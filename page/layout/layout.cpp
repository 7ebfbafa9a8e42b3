// Layout of one document: the entry point, and the body's flow with its background.
#include "page/layout/layouter.h"

#include <algorithm>

namespace page {
namespace layout_internal {

void Layouter::run(Rect area) {
  viewHeight_ = area.height;
  if (doc_.frameset) {
    frameset(*doc_.frameset, area, 0);
    out_.contentWidth = area.width;
    out_.contentHeight = area.height;
    return;
  }
  if (!doc_.body) {  // nothing delivered yet: an empty white view
    out_.contentWidth = out_.contentHeight = 0;
    out_.background = 0xFFFFFFFF;
    return;
  }
  const ComputedStyle& bs = style(*doc_.body);
  const Edges& mg = bs.margin;
  int x = area.x + std::max(0, mg.left), y = area.y + std::max(0, mg.top);
  int width = std::max(0, area.width - std::max(0, mg.left) - std::max(0, mg.right));
  maxRight_ = 0;
  size_t bg = reserveBackground();
  FlowResult r = flow(*doc_.body, bs, x, y, width);
  out_.contentWidth = std::max(r.maxRight + (x - area.x), maxRight_ - area.x) + std::max(0, mg.right);
  out_.contentHeight = r.height + std::max(0, mg.top) + std::max(0, mg.bottom);
  out_.background = bs.background.value_or(0xFFFFFFFF);
  fillBackground(bg, bs, {area.x, area.y, std::max(area.width, out_.contentWidth),
                          std::max(area.height, out_.contentHeight)});
}

}  // namespace layout_internal

void layoutDocument(const DocumentTree& doc, const std::string& baseUrl, Rect area, TextMeasurer& measurer,
                    LayoutHost& host, LayoutOutput& out) {
  layout_internal::Layouter(doc, baseUrl, measurer, host, out).run(area);
}

}  // namespace page
