// Framesets: rows and columns split the area among frames.
#include <algorithm>
#include <cstdlib>

#include "page/layout/layouter.h"
#include "page/layout/text_breaks.h"
#include "page/util/strings.h"
#include "page/util/url.h"

namespace page::layout_internal {

std::vector<int> Layouter::splitSizes(const std::string* list, int total) {
  std::vector<std::string> parts;
  if (list) {
    size_t i = 0;
    while (i <= list->size() && parts.size() < 32) {
      size_t comma = list->find(',', i);
      if (comma == std::string::npos) comma = list->size();
      parts.emplace_back(trim(std::string_view(*list).substr(i, comma - i)));
      i = comma + 1;
    }
  }
  if (parts.empty()) parts.push_back("*");
  std::vector<int> sizes(parts.size(), 0);
  int fixed = 0, stars = 0;
  for (size_t k = 0; k < parts.size(); ++k) {
    const std::string& p = parts[k];
    if (!p.empty() && p.back() == '*') {
      int weight = p.size() > 1 ? std::clamp(std::atoi(p.c_str()), 1, 100) : 1;
      stars += weight;
      sizes[k] = -weight;
    } else if (!p.empty() && p.back() == '%') {
      sizes[k] = int(int64_t(total) * std::clamp(std::atoi(p.c_str()), 0, 100) / 100);
      fixed += sizes[k];
    } else {
      sizes[k] = std::clamp(std::atoi(p.c_str()), 0, kHuge);
      fixed += sizes[k];
    }
  }
  int rest = std::max(0, total - fixed);
  for (int& s : sizes)
    if (s < 0) s = stars ? int(int64_t(rest) * -s / stars) : 0;
  return sizes;
}

void Layouter::frameset(const Node& fs, Rect area, int depth) {
  if (depth > kMaxDepth) return;
  std::vector<int> rows = splitSizes(fs.attribute("rows"), area.height);
  std::vector<int> cols = splitSizes(fs.attribute("cols"), area.width);
  size_t index = 0;
  std::vector<const Node*> children;
  for (const auto& c : fs.children)
    if (c->type == Node::Type::Element && (c->tag == "frame" || c->tag == "frameset")) children.push_back(c.get());
  int cy = area.y;
  for (int rh : rows) {
    int cx = area.x;
    for (int cw : cols) {
      if (index < children.size()) {
        Rect r{cx, cy, cw, rh};
        const Node* child = children[index++];
        if (child->tag == "frameset") frameset(*child, r, depth + 1);
        else host_.subdocument(*child, r, out_);
      }
      cx += cw;
    }
    cy += rh;
  }
}

}  // namespace page::layout_internal
