#include "movie/scripting.h"

#include <algorithm>

namespace movie {
namespace {

constexpr size_t kMaxQueuedPerFrame = 100'000;
constexpr size_t kCollectAfterSlots = 200'000;

void gatherClipObjects(script::DisplayNode* node, std::vector<script::Object*>& out, int depth) {
  if (!node || depth > 64) return;
  if (node->scriptObject) out.push_back(node->scriptObject);
  for (script::DisplayNode* child : node->childNodes()) gatherClipObjects(child, out, depth + 1);
}

}  // namespace

Scripting::Scripting(const format::MovieDef& movie, timeline::Budget& budget)
    : movie_(movie), machine_(std::make_unique<script::Machine>(*this, movie.version)) {
  budget.events = this;
  budget.exports = &movie.exports;
  budget.version = movie.version;
  machine_->budgets().maxCallDepth = std::clamp<int>(movie.maxRecursion, 16, 256);
}

Scripting::~Scripting() = default;

void Scripting::frameEntered(timeline::SpriteInstance& sprite, int frame) {
  if (frame < 0 || frame >= sprite.frameCount()) return;
  if (sprite.timeline().frames[size_t(frame)].actions.empty()) return;
  if (queue_.size() >= kMaxQueuedPerFrame) return;
  queue_.push_back({machine_->clipObject(&sprite), frame});
}

void Scripting::beginFrame() { machine_->beginFrame(); }

void Scripting::runInitActions() {
  while (initActionsRun_ < movie_.initActions.size()) {
    const format::InitAction& init = movie_.initActions[initActionsRun_++];
    // A copy: the list of init actions grows (and moves) while the movie loads.
    machine_->run(script::CodeRange::of(init.actions, movie_.version), machine_->clipObject(root_));
  }
}

bool Scripting::runQueued() {
  size_t initBefore = initActionsRun_;
  runInitActions();
  bool ran = initActionsRun_ != initBefore || !queue_.empty();
  for (size_t i = 0; i < queue_.size(); ++i) {
    Pending p = queue_[i];
    script::DisplayNode* node = machine_->nodeOf(p.clip);
    if (!node) continue;  // removed before its turn
    for (const script::CodeRange& code : node->frameScripts(p.frame)) {
      if (!machine_->nodeOf(p.clip)) break;
      machine_->run(code, p.clip);
    }
  }
  queue_.clear();
  collectIfGrown();
  return ran;
}

bool Scripting::frameDone(double frameRate) {
  milliseconds_ += 1000.0 / (frameRate > 0 ? frameRate : 12.0);
  bool timers = !machine_->timers().empty();
  machine_->runTimers();
  return runQueued() || timers;
}

void Scripting::collectIfGrown() {
  if (machine_->heap().growthSinceCollect() < kCollectAfterSlots) return;
  std::vector<script::Object*> roots;
  gatherClipObjects(root_, roots, 0);
  machine_->collectGarbage(roots);
}

void Scripting::trace(const std::string& line) {
  if (trace_) trace_(line);
}

void Scripting::getUrl(const std::string& url, const std::string& target, int) {
  if (url_) url_(url, target);
}

}  // namespace movie
