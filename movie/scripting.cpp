#include "movie/scripting.h"

#include <algorithm>

#include "movie/dragging.h"
#include "movie/loads.h"
#include "movie/script/builtins.h"
#include "movie/text_objects/field_events.h"
#include "movie/text_objects/text_objects.h"
#include "movie/text_objects/variable_binding.h"

namespace movie {
namespace {

constexpr size_t kMaxQueuedPerFrame = 100'000;
constexpr size_t kCollectAfterSlots = 200'000;
constexpr int kMaxHighlightRounds = 16;

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
  budget.exportTable = &movie.characters;
  budget.version = movie.version;
  machine_->budgets().maxCallDepth = std::clamp<int>(movie.maxRecursion, 16, 256);
  text_objects::installTextObjects(*machine_, textEnvironment_);
}

script::Object* Scripting::focusedFieldObject() { return text_objects::focusedObject(*machine_, textEnvironment_); }

void Scripting::focusMoved(script::Object* before) {
  text_objects::announceFocus(*machine_, before, focusedFieldObject());
}

void Scripting::focusedFieldEdited() { text_objects::announceChange(*machine_, focusedFieldObject()); }

script::ClipObject* Scripting::newNodeObject(script::DisplayNode* node) {
  auto* field = dynamic_cast<timeline::FieldNode*>(node);
  return field ? text_objects::newFieldObject(*machine_, *field, textEnvironment_) : nullptr;
}

void Scripting::nodeLeavesFocus(script::DisplayNode* node) {
  script::Object* focused = focusedFieldObject();
  int guard = 0;
  for (script::DisplayNode* n = machine_->nodeOf(script::Value(focused)); n && guard < 4096; n = n->parentNode(), ++guard)
    if (n == node) return text_objects::moveFocus(*machine_, textEnvironment_, nullptr);
}

bool Scripting::focusRectShown() { return !textEnvironment_.clipFocus || textEnvironment_.clipFocus->rectShown; }

void Scripting::setFocusRectShown(bool shown) {
  if (textEnvironment_.clipFocus) textEnvironment_.clipFocus->rectShown = shown;
}

Scripting::~Scripting() = default;

void Scripting::frameEntered(timeline::SpriteInstance& sprite, int frame) {
  if (frame < 0 || frame >= sprite.frameCount()) return;
  if (sprite.timeline().frames[size_t(frame)].actions.empty()) return;
  if (queue_.size() >= kMaxQueuedPerFrame) return;
  queue_.push_back({machine_->clipObject(&sprite), frame});
}

void Scripting::beginFrame() { machine_->beginFrame(); }

void Scripting::setRoot(timeline::SpriteInstance* root) {
  root_ = root;
  movies_.clear();
  if (root) movies_.push_back({&movie_, machine_->clipObject(root), 0, {}});
}

void Scripting::addMovie(const format::MovieDef& movie, timeline::SpriteInstance& root) {
  // Clips that showed loaded movies and are gone no longer need their entry.
  std::erase_if(movies_, [this](const MovieScripts& m) { return m.movie != &movie_ && !machine_->nodeOf(m.root); });
  movies_.push_back({&movie, machine_->clipObject(&root), 0, {}});
}

void Scripting::runInitActions() {
  for (size_t i = 0; i < movies_.size(); ++i) runInitActions(movies_[i]);
}

size_t Scripting::initActionsLookedAt() const {
  size_t n = 0;
  for (const MovieScripts& m : movies_) n += m.next;
  return n;
}

script::DisplayNode* Scripting::level(int n) {
  if (n == 0) return root_;
  return loads_ && root_ ? loads_->levelRoot(n) : nullptr;
}

int Scripting::levelNumber(script::DisplayNode* root) {
  if (!root || root == root_ || !loads_) return 0;
  return std::max(0, loads_->levelOf(root));
}

std::vector<timeline::SpriteInstance*> Scripting::levels() {
  std::vector<timeline::SpriteInstance*> out;
  if (!root_) return out;
  out.push_back(root_);
  if (loads_) loads_->addLevelRoots(out);
  return out;
}

std::vector<script::DisplayNode*> Scripting::levelRoots() {
  std::vector<timeline::SpriteInstance*> roots = levels();
  return {roots.begin(), roots.end()};
}

void Scripting::runInitActions(MovieScripts& movie) {
  const std::vector<format::InitAction>& inits = movie.movie->initActions;
  while (movie.next < inits.size()) {
    script::DisplayNode* node = machine_->nodeOf(movie.root);
    if (!node || inits[movie.next].frame > node->currentFrame()) return;
    const format::InitAction& init = inits[movie.next++];
    if (!movie.done.insert(init.spriteId).second) continue;
    // CodeRange::of copies: the list of init actions grows (and moves) while the movie loads.
    machine_->run(script::CodeRange::of(init.actions, movie.movie->version), movie.root);
  }
}

void Scripting::clipStarted(timeline::SpriteInstance& clip) {
  if (clip.buttonDef() || queue_.size() >= kMaxQueuedPerFrame) return;
  // Only clips that can have handlers: placed with actions, or already seen by scripts.
  if (!clip.clipActions() && !clip.scriptObject) return;
  queue_.push_back({machine_->clipObject(&clip), -1});
}

void Scripting::runClipActions(timeline::SpriteInstance& clip, uint32_t event, int key) {
  const std::vector<format::ClipAction>* actions = clip.clipActions();
  if (!actions) return;
  script::Object* self = machine_->clipObject(&clip);
  for (const format::ClipAction& a : *actions) {
    if (!(a.events & event)) continue;
    if (event == format::kClipKeyPress && a.keyCode != key) continue;
    if (!machine_->nodeOf(self)) return;
    machine_->run(script::CodeRange::of(a.actions, movie_.version), self);
  }
}

void Scripting::runLoadEvent(script::Object* clip) {
  auto* node = static_cast<timeline::SpriteInstance*>(machine_->nodeOf(clip));
  if (!node) return;
  runClipActions(*node, format::kClipLoad);
  if (machine_->nodeOf(clip)) machine_->callHandler(clip, "onLoad");
}

void Scripting::gatherClips(timeline::SpriteInstance& sprite, std::vector<script::Object*>& out, int depth) {
  if (depth > 64) return;
  const auto& list = sprite.displayList();
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    timeline::SpriteInstance* child = it->second.sprite.get();
    if (child) gatherClips(*child, out, depth + 1);
  }
  // Buttons hear no clip events; the clips in their states do.
  if (sprite.buttonDef()) return;
  if (sprite.clipActions() || sprite.scriptObject) out.push_back(machine_->clipObject(&sprite));
}

void Scripting::clipEvent(uint32_t event, const char* method) {
  std::vector<script::Object*> clips;
  std::vector<timeline::SpriteInstance*> roots = levels();
  for (auto it = roots.rbegin(); it != roots.rend(); ++it) gatherClips(**it, clips, 0);
  for (script::Object* clip : clips) {
    auto* node = static_cast<timeline::SpriteInstance*>(machine_->nodeOf(clip));
    if (!node) continue;  // removed by an earlier handler
    runClipActions(*node, event);
    if (method && machine_->nodeOf(clip)) machine_->callHandler(clip, method);
  }
}

bool Scripting::runQueued() {
  // Fields placed or changed since the last scripts meet their variables before and
  // after the scripts run.
  exchangeFields();
  size_t initBefore = initActionsLookedAt();
  runInitActions();
  bool ran = initActionsLookedAt() != initBefore || !queue_.empty();
  size_t next = 0;
  // Highlights that scripts gave by focusing run after them, and may queue more.
  for (int round = 0; round < kMaxHighlightRounds; ++round) {
    for (; next < queue_.size(); ++next) runPending(queue_[next]);
    if (!runFocusHighlights()) break;
    ran = true;
  }
  queue_.clear();
  exchangeFields();
  collectIfGrown();
  return ran;
}

void Scripting::runPending(const Pending& p) {
  script::DisplayNode* node = machine_->nodeOf(p.clip);
  if (!node) return;  // removed before its turn
  if (p.frame < 0) return runLoadEvent(p.clip);
  for (const script::CodeRange& code : node->frameScripts(p.frame)) {
    if (!machine_->nodeOf(p.clip)) break;
    machine_->run(code, p.clip);
  }
}

bool Scripting::runFocusHighlights() {
  text_objects::ClipFocus* focus = textEnvironment_.clipFocus;
  if (!focus || focus->highlights.empty()) return false;
  auto highlights = std::move(focus->highlights);
  focus->highlights.clear();
  for (const auto& [object, over] : highlights) {
    auto* node = static_cast<timeline::SpriteInstance*>(machine_->nodeOf(script::Value(object)));
    if (!node) continue;
    if (node->buttonDef()) node->showButtonState(over ? format::kButtonOver : format::kButtonUp);
    machine_->callHandler(script::Value(object), over ? "onRollOver" : "onRollOut");
  }
  return true;
}

bool Scripting::frameDone(double frameRate) {
  milliseconds_ += 1000.0 / (frameRate > 0 ? frameRate : 12.0);
  bool timers = !machine_->timers().empty();
  machine_->runTimers();
  return runQueued() || timers;
}

void Scripting::exchangeFields() {
  for (timeline::SpriteInstance* level : levels()) text_objects::exchangeAll(*machine_, level);
}

void Scripting::collectIfGrown() {
  if (machine_->heap().growthSinceCollect() < kCollectAfterSlots) return;
  std::vector<script::Object*> roots;
  for (timeline::SpriteInstance* level : levels()) gatherClipObjects(level, roots, 0);
  for (const MovieScripts& m : movies_) roots.push_back(m.root);
  if (extraRoots_) extraRoots_(roots);
  machine_->collectGarbage(roots);
}

bool Scripting::showPointer(bool show) {
  bool wasShown = !pointerHidden_;
  pointerHidden_ = !show;
  return wasShown;
}

void Scripting::setKey(int virtualKey, char32_t character, bool down) {
  if (virtualKey < 0 || virtualKey >= 256) return;
  keysDown_[size_t(virtualKey)] = down;
  lastKey_ = virtualKey;
  if (down) lastAscii_ = character < 128 ? int(character) : 0;
}

void Scripting::broadcast(const char* source, const char* handler, const std::vector<script::Value>& args) {
  script::Object* from = machine_->memberOrUndefined(machine_->global(), source).object();
  if (from) script::broadcast(*machine_, from, handler, args);
}

void Scripting::startDrag(script::DisplayNode* clip, bool lockCenter, const script::Bounds* limits) {
  if (dragging_ && clip) dragging_->start(*clip, lockCenter, limits, pointerX_, pointerY_);
}

void Scripting::stopDrag() {
  if (dragging_) dragging_->stop(root_, pointerX_, pointerY_);
}

std::string Scripting::dropTarget(script::DisplayNode* clip) { return dragging_ ? dragging_->dropTarget(clip) : ""; }

void Scripting::trace(const std::string& line) {
  if (trace_) trace_(line);
}

void Scripting::getUrl(const std::string& url, const std::string& target, int) {
  if (url_) url_(url, target);
}

double Scripting::bytesLoaded(script::DisplayNode* clip) {
  double loaded, total;
  if (loads_ && loads_->progressOf(clip, loaded, total)) return loaded;
  return double(bytesLoaded_);
}

double Scripting::bytesTotal(script::DisplayNode* clip) {
  double loaded, total;
  if (loads_ && loads_->progressOf(clip, loaded, total)) return total;
  return double(bytesTotal_);
}

bool Scripting::load(const script::LoadRequest& request) { return loads_ && loads_->request(request); }

void Scripting::unload(script::DisplayNode* clip, int level) {
  if (loads_) loads_->unload(clip, level);
}

}  // namespace movie
