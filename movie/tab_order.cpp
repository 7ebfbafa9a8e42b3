#include "movie/tab_order.h"

#include <algorithm>
#include <cmath>

#include "movie/timeline/clip_nesting.h"

namespace movie {
namespace {

constexpr size_t kMaxCandidates = 10'000;

using timeline::SpriteInstance;

struct Candidate {
  script::Object* object;
  double x, y;     // top left corner of its box on the stage
  double index;    // its tabIndex, NaN when it has none
};

// The node's box's top left corner on the stage (scroll rectangles aside: only the
// order matters).
void topLeft(script::DisplayNode& node, double& x, double& y) {
  Matrix m = node.matrix();
  int guard = 0;
  for (script::DisplayNode* p = node.parentNode(); p && guard < timeline::kMaxClipNesting; p = p->parentNode(), ++guard)
    m = m.then(p->matrix());
  script::Bounds b = node.localBounds();
  if (b.empty) b.xMin = b.yMin = b.xMax = b.yMax = 0;
  double xs[2] = {b.xMin, b.xMax}, ys[2] = {b.yMin, b.yMax};
  x = y = HUGE_VAL;
  for (double lx : xs)
    for (double ly : ys) {
      x = std::min(x, double(m.a * lx + m.c * ly + m.tx));
      y = std::min(y, double(m.b * lx + m.d * ly + m.ty));
    }
}

class Gatherer {
 public:
  Gatherer(script::Machine& m, const std::function<bool(SpriteInstance&)>& clickable) : m_(m), clickable_(clickable) {}

  void gather(SpriteInstance& sprite, int nesting) {
    if (nesting > timeline::kMaxClipNesting) return;
    for (const auto& [depth, obj] : sprite.displayList()) {
      if (out.size() >= kMaxCandidates) return;
      if (!obj.visible || obj.clipDepth) continue;
      if (obj.fieldNode) {
        if (obj.field && obj.field->settings().input && setting(obj.fieldNode.get(), "tabEnabled", true))
          add(*obj.fieldNode);
        continue;
      }
      if (!obj.sprite || obj.sprite->isMaskOfClip()) continue;
      SpriteInstance& child = *obj.sprite;
      if (setting(&child, "tabEnabled", clickable_(child)) && (!child.buttonDef() || clickable_(child))) add(child);
      if (!child.buttonDef() && setting(&child, "tabChildren", true)) gather(child, nesting + 1);
    }
  }

  std::vector<Candidate> out;

 private:
  // A setting scripts may have given the node, else the default.
  bool setting(script::DisplayNode* node, const char* name, bool otherwise) {
    if (!node->scriptObject) return otherwise;
    script::Value v = m_.memberOrUndefined(node->scriptObject, name);
    return v.isUndefined() ? otherwise : m_.toBoolean(v);
  }

  void add(script::DisplayNode& node) {
    Candidate c{m_.clipObject(&node), 0, 0, NAN};
    topLeft(node, c.x, c.y);
    script::Value index = m_.memberOrUndefined(c.object, "tabIndex");
    if (!index.isUndefined() && !index.isNullish()) c.index = m_.toNumber(index);
    out.push_back(c);
  }

  script::Machine& m_;
  const std::function<bool(SpriteInstance&)>& clickable_;
};

}  // namespace

std::vector<script::Object*> tabOrder(script::Machine& m, const std::vector<SpriteInstance*>& levels,
                                      const std::function<bool(SpriteInstance&)>& clickable) {
  Gatherer g(m, clickable);
  for (SpriteInstance* level : levels)
    if (level && level->visible()) g.gather(*level, 0);
  std::vector<Candidate>& all = g.out;
  bool custom = std::any_of(all.begin(), all.end(), [](const Candidate& c) { return !std::isnan(c.index); });
  if (custom) {
    all.erase(std::remove_if(all.begin(), all.end(), [](const Candidate& c) { return std::isnan(c.index); }),
              all.end());
    std::stable_sort(all.begin(), all.end(), [](const Candidate& a, const Candidate& b) { return a.index < b.index; });
  } else {
    std::stable_sort(all.begin(), all.end(), [](const Candidate& a, const Candidate& b) {
      return a.y != b.y ? a.y < b.y : a.x < b.x;
    });
  }
  std::vector<script::Object*> order;
  for (const Candidate& c : all) order.push_back(c.object);
  return order;
}

}  // namespace movie
