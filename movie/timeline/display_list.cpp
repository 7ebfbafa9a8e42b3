#include "movie/timeline/display_list.h"

#include <algorithm>
#include <variant>

#include "movie/timeline/clip_nesting.h"

namespace movie::timeline {

SpriteInstance::SpriteInstance(const format::Timeline& timeline,
                               const format::CharacterTable& characters, Budget& budget,
                               int nesting)
    : timeline_(timeline), characters_(characters), budget_(budget), nesting_(nesting) {}

SpriteInstance::~SpriteInstance() {
  unlinkMask();
  clear();
}

void SpriteInstance::clear() {
  budget_.objects -= int(list_.size());
  list_.clear();
}

void SpriteInstance::start() {
  clear();
  current_ = -1;
  if (timeline_.frames.empty()) return;
  current_ = 0;
  if (budget_.events) budget_.events->frameEntered(*this, 0);
  runFrame(0, list_, true, nullptr);
  if (budget_.events) budget_.events->clipStarted(*this);
}

void SpriteInstance::adopt(DisplayObject& obj) {
  if (obj.fieldNode) obj.fieldNode->link(this, &obj);
  if (!obj.sprite) return;
  obj.sprite->parent_ = this;
  obj.sprite->holder_ = &obj;
}

bool SpriteInstance::advance(bool loop, bool complete) {
  int count = frameCount();
  if (count == 0) return false;
  // Children that exist now move first (their actions run before this clip's); those
  // this frame places start at their first frame.
  bool moved = false;
  std::vector<SpriteInstance*> children;
  for (auto& [depth, obj] : list_)
    if (obj.sprite) children.push_back(obj.sprite.get());
  for (SpriteInstance* child : children) moved |= child->advance(true, true);
  if (button_) return moved;
  int next = current_ + 1;
  if (!playing_) return moved;
  if (next >= count) {
    if (!(loop && complete && count > 1)) return moved;
    if (budget_.events) budget_.events->frameEntered(*this, 0);
    rebuildTo(0, nullptr);
    current_ = 0;
  } else {
    current_ = next;
    if (budget_.events) budget_.events->frameEntered(*this, next);
    runFrame(next, list_, true, nullptr);
  }
  return true;
}

void SpriteInstance::gotoFrame(int f) {
  int count = frameCount();
  if (count == 0 || button_) return;
  f = std::clamp(f, 0, count - 1);
  if (f == current_) return;
  if (f < current_ || current_ < 0) {
    rebuildTo(f, nullptr);
    current_ = f;
  } else {
    while (current_ < f) {
      ++current_;
      runFrame(current_, list_, true, nullptr);
    }
  }
  // Clips the jump placed run their first frame before the frame jumped to; the frames
  // passed over start no sounds.
  if (budget_.events) budget_.events->frameEntered(*this, f);
}

void SpriteInstance::rebuildTo(int f, std::vector<uint16_t>* created) {
  List plan;
  for (int i = 0; i <= f; ++i) runFrame(i, plan, false, nullptr);
  adoptPlan(plan, created);
}

void SpriteInstance::makeButton(const format::ButtonDef& def) {
  button_ = &def;
  playing_ = false;
  showButtonState(format::kButtonUp);
}

void SpriteInstance::showButtonState(int state) {
  if (!button_ || state < 0 || state >= frameCount() || state == current_) return;
  List plan;
  runFrame(state, plan, false, nullptr);
  // An object in several states is the same one: its clip runs on across states.
  for (auto& [depth, obj] : plan) obj.placedFrame = 0;
  adoptPlan(plan, nullptr);
  const int from = current_;
  current_ = state;
  if (from >= 0 && budget_.events) budget_.events->buttonStateChanged(*this, from, state);
}

void SpriteInstance::adoptPlan(List& plan, std::vector<uint16_t>* created) {
  List next;
  // What scripts made stays where it is.
  for (auto it = list_.begin(); it != list_.end();) {
    if (it->second.byScript && !plan.count(it->first)) {
      auto node = list_.extract(it++);
      --budget_.objects;
      next.insert(std::move(node));
    } else {
      ++it;
    }
  }
  for (auto& [depth, target] : plan) {
    auto old = list_.find(depth);
    if (old != list_.end() && old->second.characterId == target.characterId &&
        old->second.placedFrame == target.placedFrame) {
      DisplayObject kept = std::move(old->second);
      list_.erase(old);
      --budget_.objects;
      kept.matrix = target.matrix;
      kept.colorTransform = target.colorTransform;
      kept.ratio = target.ratio;
      if (!target.name.empty()) kept.name = target.name;  // an unnamed clip keeps its own
      kept.clipDepth = target.clipDepth;
      kept.filters = target.filters;
      kept.blendMode = target.blendMode;
      kept.cacheAsBitmap = target.cacheAsBitmap;
      kept.visible = target.visible;
      next.emplace(depth, std::move(kept));
    } else {
      if (budget_.objects + int(next.size()) >= budget_.maxObjects) continue;
      assignCharacter(target, target.characterId, true);
      next.emplace(depth, std::move(target));
      if (created) created->push_back(depth);
    }
  }
  clear();
  list_ = std::move(next);
  budget_.objects += int(list_.size());
  for (auto& [depth, obj] : list_) adopt(obj);
}

void SpriteInstance::runFrame(int f, List& list, bool live, std::vector<uint16_t>* placed) {
  const format::Frame& frame = timeline_.frames[size_t(f)];
  for (const format::ControlTag& tag : frame.tags) {
    if (const auto* p = std::get_if<format::PlaceTag>(&tag)) {
      place(*p, f, list, live, placed);
    } else if (const auto* r = std::get_if<format::RemoveTag>(&tag)) {
      auto it = list.find(r->depth);
      if (it != list.end()) {
        list.erase(it);
        if (live) --budget_.objects;
      }
    }
  }
}

text::FontLibrary* SpriteInstance::fontsAround() const {
  int guard = 0;
  for (const SpriteInstance* s = this; s && guard <= kMaxClipNesting; s = s->parent_, ++guard)
    if (s->fonts_) return s->fonts_;
  return nullptr;
}

std::unique_ptr<SpriteInstance> SpriteInstance::childInstance(const format::Timeline& timeline,
                                                              const format::Character& c) {
  // An imported character finds what it places in its own movie's dictionary, and draws
  // text with that movie's fonts.
  const format::CharacterTable& home = c.home ? *c.home : characters_;
  auto child = std::make_unique<SpriteInstance>(timeline, home, budget_, nesting_ + 1);
  if (&home != &characters_ && budget_.fontsOf) child->setFonts(budget_.fontsOf(home));
  return child;
}

void SpriteInstance::assignCharacter(DisplayObject& obj, uint16_t id, bool live) {
  obj.characterId = id;
  obj.sprite.reset();
  obj.field.reset();
  obj.fieldNode.reset();
  auto it = characters_.find(id);
  obj.known = it != characters_.end();
  obj.character = obj.known ? it->second : format::Character{};
  const format::CharacterTable* home = obj.character.home;
  obj.homeFonts = home && home != &characters_ && budget_.fontsOf ? budget_.fontsOf(*home) : nullptr;
  bool clip = obj.character.kind == format::Character::Sprite || obj.character.kind == format::Character::Button;
  if (live && obj.known && clip && obj.name.empty()) obj.name = "instance" + std::to_string(++budget_.unnamedClips);
  if (live && obj.known && obj.character.kind == format::Character::Sprite && obj.character.sprite &&
      nesting_ < budget_.maxNesting) {
    obj.sprite = childInstance(obj.character.sprite->timeline, obj.character);
    adopt(obj);
    obj.sprite->start();
  }
  if (live && obj.known && obj.character.kind == format::Character::Button && obj.character.button &&
      nesting_ < budget_.maxNesting) {
    obj.sprite = childInstance(obj.character.button->states, obj.character);
    adopt(obj);
    obj.sprite->makeButton(*obj.character.button);
  }
  if (live && obj.known && obj.character.kind == format::Character::EditText && obj.character.editText) {
    // An imported field finds its font in its own movie's dictionary.
    const format::CharacterTable& home = obj.character.home ? *obj.character.home : characters_;
    obj.field = std::make_shared<text::TextField>(obj.character.editText, home);
    obj.fieldNode = std::make_unique<FieldNode>(obj.field);
    adopt(obj);
  }
}

void SpriteInstance::place(const format::PlaceTag& tag, int f, List& list, bool live,
                           std::vector<uint16_t>* placed) {
  auto it = list.find(tag.depth);
  bool modify = tag.version >= 2 && tag.move;
  if (modify && it == list.end()) return;  // nothing there to modify
  if (!modify && !tag.characterId) return;  // a new object needs a character
  DisplayObject* obj;
  if (!modify) {
    if (it == list.end()) {
      if (live ? budget_.objects >= budget_.maxObjects : list.size() >= size_t(budget_.maxObjects)) return;
      if (live) ++budget_.objects;
      it = list.emplace(tag.depth, DisplayObject{}).first;
    } else {
      it->second = DisplayObject{};
    }
    obj = &it->second;
    obj->depth = tag.depth;
    obj->placedFrame = f;
    obj->clipActions = tag.clipActions;  // before the clip starts: its load event needs them
    if (tag.name) obj->name = *tag.name;
    assignCharacter(*obj, *tag.characterId, live);
    if (placed) placed->push_back(tag.depth);
  } else {
    obj = &it->second;
    if (tag.characterId && *tag.characterId != obj->characterId) {
      obj->placedFrame = f;
      assignCharacter(*obj, *tag.characterId, live);
      if (placed) placed->push_back(tag.depth);
    }
  }
  if (tag.matrix) obj->matrix = *tag.matrix;
  if (tag.colorTransform) obj->colorTransform = *tag.colorTransform;
  if (tag.ratio) obj->ratio = *tag.ratio;
  if (tag.name) obj->name = *tag.name;
  if (tag.clipDepth) obj->clipDepth = *tag.clipDepth;
  if (!tag.filters.empty()) obj->filters = tag.filters;
  if (tag.blendMode) obj->blendMode = *tag.blendMode;
  if (tag.cacheAsBitmap) obj->cacheAsBitmap = *tag.cacheAsBitmap;
  if (tag.visible) obj->visible = *tag.visible;
}

}  // namespace movie::timeline
