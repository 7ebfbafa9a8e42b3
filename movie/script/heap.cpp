#include "movie/script/heap.h"

#include <unordered_set>

#include "movie/script/errors.h"

namespace movie::script {

void Heap::checkLimits() const {
  if (objects_.size() > kMaxObjects || slots_ > kMaxSlots)
    throw ScriptAbort("the script made too many objects");
}

void Heap::collect(const std::vector<Object*>& roots) {
  std::unordered_set<const Object*> marked;
  std::vector<Object*> work(roots.begin(), roots.end());
  while (!work.empty()) {
    Object* o = work.back();
    work.pop_back();
    if (!o || !marked.insert(o).second) continue;
    o->traceRefs(work);
  }
  std::vector<std::unique_ptr<Object>> alive;
  alive.reserve(marked.size());
  size_t slots = 0;
  for (auto& o : objects_) {
    if (marked.count(o.get())) {
      slots += 1 + o->ownCount();
      alive.push_back(std::move(o));
    }
  }
  objects_ = std::move(alive);  // the rest are freed here
  slots_ = slots;
}

}  // namespace movie::script
