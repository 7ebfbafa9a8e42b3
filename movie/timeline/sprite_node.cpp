// SpriteInstance as scripts see it: names, frames, placement, and the changes scripts
// make to the display list.
#include <algorithm>
#include <cmath>

#include "movie/timeline/display_list.h"

namespace movie::timeline {
namespace {

bool sameName(const std::string& a, const std::string& b, bool caseSensitive) {
  if (a.size() != b.size()) return false;
  if (caseSensitive) return a == b;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(uint8_t(a[i])) != std::tolower(uint8_t(b[i]))) return false;
  return true;
}

// The timeline of clips that scripts make empty: one frame, nothing in it.
std::shared_ptr<const format::SpriteDef> emptySprite() {
  static const auto sprite = [] {
    auto s = std::make_shared<format::SpriteDef>();
    s->timeline.frames.resize(1);
    s->timeline.declaredFrames = 1;
    return s;
  }();
  return sprite;
}

// A script depth as the display list keys it, or -1 outside what it can hold.
int listDepth(int scriptDepth) {
  long long d = (long long)scriptDepth + kScriptDepthOffset;
  return d < 0 || d > 65535 ? -1 : int(d);
}

void growBy(script::Bounds& out, double px, double py) {
  if (out.empty) {
    out.xMin = out.xMax = px;
    out.yMin = out.yMax = py;
    out.empty = false;
  }
  out.xMin = std::min(out.xMin, px);
  out.xMax = std::max(out.xMax, px);
  out.yMin = std::min(out.yMin, py);
  out.yMax = std::max(out.yMax, py);
}

void growBounds(script::Bounds& out, const format::Rect& r, const Matrix& m) {
  if (r.xMax < r.xMin || r.yMax < r.yMin) return;
  for (double x : {double(r.xMin), double(r.xMax)})
    for (double y : {double(r.yMin), double(r.yMax)}) growBy(out, m.a * x + m.c * y + m.tx, m.b * x + m.d * y + m.ty);
}

}  // namespace

// The node scripts see for a display list entry: a clip or a text field.
static script::DisplayNode* nodeOf(DisplayObject& obj) {
  if (obj.sprite) return obj.sprite.get();
  return obj.fieldNode.get();
}

script::DisplayNode* SpriteInstance::childNamed(const std::string& name, bool caseSensitive) {
  for (auto& [depth, obj] : list_)
    if (nodeOf(obj) && sameName(obj.name, name, caseSensitive)) return nodeOf(obj);
  return nullptr;
}

std::vector<script::DisplayNode*> SpriteInstance::childNodes() {
  std::vector<script::DisplayNode*> out;
  for (auto& [depth, obj] : list_)
    if (script::DisplayNode* node = nodeOf(obj)) out.push_back(node);
  return out;
}

std::string SpriteInstance::instanceName() const { return holder_ ? holder_->name : std::string(); }

void SpriteInstance::setInstanceName(const std::string& name) {
  if (holder_) holder_->name = name;
}

int SpriteInstance::depth() const { return holder_ ? int(holder_->depth) - kScriptDepthOffset : -kScriptDepthOffset; }

int SpriteInstance::totalFrames() const { return std::max(timeline_.declaredFrames, frameCount()); }

int SpriteInstance::frameOfLabel(const std::string& label) const {
  for (size_t i = 0; i < timeline_.frames.size(); ++i)
    if (!timeline_.frames[i].label.empty() && sameName(timeline_.frames[i].label, label, false)) return int(i);
  return -1;
}

std::vector<script::CodeRange> SpriteInstance::frameScripts(int frame) {
  std::vector<script::CodeRange> out;
  if (frame < 0 || frame >= frameCount()) return out;
  for (const std::vector<uint8_t>& actions : timeline_.frames[size_t(frame)].actions) {
    script::CodeRange code;
    // The movie definition owns the bytes and outlives the scripts that run them.
    code.bytes = std::shared_ptr<const std::vector<uint8_t>>(std::shared_ptr<void>(), &actions);
    code.end = actions.size();
    code.version = budget_.version;
    out.push_back(std::move(code));
  }
  return out;
}

Matrix SpriteInstance::matrix() const { return holder_ ? holder_->matrix : rootMatrix_; }

void SpriteInstance::setMatrix(const Matrix& m) {
  if (holder_) holder_->matrix = m;
  else rootMatrix_ = m;
}

ColorTransform SpriteInstance::colorTransform() const {
  return holder_ ? holder_->colorTransform : rootColor_;
}

void SpriteInstance::setColorTransform(const ColorTransform& c) {
  if (holder_) holder_->colorTransform = c;
  else rootColor_ = c;
}

bool SpriteInstance::visible() const { return holder_ ? holder_->visible : rootVisible_; }

void SpriteInstance::setVisible(bool visible) {
  if (holder_) holder_->visible = visible;
  else rootVisible_ = visible;
}

void SpriteInstance::setCacheAsBitmap(bool cached) {
  if (holder_) holder_->cacheAsBitmap = cached;
}

script::Bounds boundsUnder(const DisplayObject& obj, const Matrix& m) {
  script::Bounds out;
  const format::Character& c = obj.character;
  if (obj.sprite) {
    script::Bounds inner = obj.sprite->localBounds();
    if (!inner.empty)
      growBounds(out, format::Rect{int32_t(inner.xMin), int32_t(inner.xMax), int32_t(inner.yMin), int32_t(inner.yMax)},
                 m);
  } else if (c.kind == format::Character::Shape && c.shape) {
    growBounds(out, c.shape->bounds, m);
  } else if (c.kind == format::Character::MorphShape && c.morph) {
    growBounds(out, c.morph->startBounds, m);
  } else if (c.kind == format::Character::Bitmap && c.bitmap) {
    growBounds(out, format::Rect{0, c.bitmap->width * 20, 0, c.bitmap->height * 20}, m);
  }
  return out;
}

script::Bounds SpriteInstance::localBounds() const {
  script::Bounds out;
  if (const ClipDrawing* d = drawing()) out = d->bounds();
  for (const auto& [depth, obj] : list_) {
    script::Bounds b = boundsUnder(obj, obj.matrix);
    if (b.empty) continue;
    growBy(out, b.xMin, b.yMin);
    growBy(out, b.xMax, b.yMax);
  }
  return out;
}

DisplayObject* SpriteInstance::placeByScript(int scriptDepth, uint16_t characterId, const format::Character& c) {
  int d = listDepth(scriptDepth);
  if (d < 0 || nesting_ + 1 >= budget_.maxNesting || budget_.objects >= budget_.maxObjects) return nullptr;
  auto it = list_.find(uint16_t(d));
  if (it != list_.end()) {
    list_.erase(it);  // what was there goes
    --budget_.objects;
  }
  DisplayObject& obj = list_.emplace(uint16_t(d), DisplayObject{}).first->second;
  ++budget_.objects;
  obj.depth = uint16_t(d);
  obj.byScript = true;
  obj.placedFrame = std::max(0, current_);
  obj.characterId = characterId;
  obj.character = c;
  obj.known = true;
  if (c.kind == format::Character::Sprite && c.sprite) {
    obj.sprite = childInstance(c.sprite->timeline, c);
    adopt(obj);
  }
  return &obj;
}

script::DisplayNode* SpriteInstance::createEmptyChild(const std::string& name, int depth) {
  format::Character c;
  c.kind = format::Character::Sprite;
  c.sprite = emptySprite();
  DisplayObject* obj = placeByScript(depth, 0, c);
  if (!obj || !obj->sprite) return nullptr;
  obj->name = name;
  obj->sprite->start();
  return obj->sprite.get();
}

script::DisplayNode* SpriteInstance::attachChild(const std::string& exportName, const std::string& name, int depth) {
  if (!budget_.exports) return nullptr;
  auto id = budget_.exports->find(exportName);
  if (id == budget_.exports->end()) return nullptr;
  // The id names a character of the exporting movie's dictionary, which an imported
  // clip's own dictionary is not.
  const format::CharacterTable& table = budget_.exportTable ? *budget_.exportTable : characters_;
  auto c = table.find(id->second);
  if (c == table.end() || c->second.kind != format::Character::Sprite) return nullptr;
  DisplayObject* obj = placeByScript(depth, id->second, c->second);
  if (!obj || !obj->sprite) return nullptr;
  obj->name = name;
  obj->sprite->start();
  return obj->sprite.get();
}

script::DisplayNode* SpriteInstance::duplicate(const std::string& name, int depth) {
  if (!parent_ || !holder_) return nullptr;
  DisplayObject source = DisplayObject{};
  source.matrix = holder_->matrix;
  source.colorTransform = holder_->colorTransform;
  source.visible = holder_->visible;
  format::Character character = holder_->character;
  uint16_t id = holder_->characterId;
  SpriteInstance* parent = parent_;
  // The copy's drawing is taken first: the placement may remove this sprite.
  std::unique_ptr<ClipDrawing> drawingCopy;
  if (drawing_) {
    drawingCopy = std::make_unique<ClipDrawing>(parent->budget_.drawings);
    drawingCopy->copyFrom(*drawing_);
  }
  DisplayObject* obj = parent->placeByScript(depth, id, character);  // may remove this sprite
  if (!obj || !obj->sprite) return nullptr;
  obj->name = name;
  obj->matrix = source.matrix;
  obj->colorTransform = source.colorTransform;
  obj->visible = source.visible;
  obj->sprite->drawing_ = std::move(drawingCopy);
  obj->sprite->start();
  return obj->sprite.get();
}

bool SpriteInstance::removeSelf() { return parent_ && holder_ && parent_->removeByScript(holder_->depth); }

bool SpriteInstance::removeByScript(uint16_t depth) {
  if (int(depth) - kScriptDepthOffset < 0) return false;  // timeline objects stay unless moved to script depths
  auto it = list_.find(depth);
  if (it == list_.end()) return false;
  list_.erase(it);  // destroys the child
  --budget_.objects;
  return true;
}

bool SpriteInstance::swapDepth(int scriptDepth) {
  return parent_ && holder_ && parent_->swapByScript(holder_->depth, scriptDepth);
}

bool SpriteInstance::swapByScript(uint16_t mine, int scriptDepth) {
  int d = listDepth(scriptDepth);
  if (d < 0 || !list_.count(mine)) return false;
  if (d == mine) return true;
  auto self = list_.extract(mine);
  auto other = list_.extract(uint16_t(d));
  self.key() = uint16_t(d);
  self.mapped().depth = uint16_t(d);
  self.mapped().byScript = true;
  list_.insert(std::move(self));
  if (!other.empty()) {
    other.key() = mine;
    other.mapped().depth = mine;
    other.mapped().byScript = true;
    list_.insert(std::move(other));
  }
  return true;
}

SpriteInstance* SpriteInstance::replaceTimeline(const format::Timeline& timeline,
                                                const format::CharacterTable& characters, Budget& budget) {
  if (!parent_ || !holder_ || nesting_ >= budget.maxNesting) return nullptr;
  SpriteInstance* parent = parent_;
  DisplayObject& obj = *holder_;
  auto fresh = std::make_unique<SpriteInstance>(timeline, characters, budget, nesting_);
  obj.sprite = std::move(fresh);  // this instance ends here
  parent->adopt(obj);
  return obj.sprite.get();
}

SpriteInstance* SpriteInstance::replaceByEmpty() {
  return replaceTimeline(emptySprite()->timeline, characters_, budget_);
}

script::DrawingPen* SpriteInstance::drawingPen() {
  if (button_) return nullptr;
  if (!drawing_) drawing_ = std::make_unique<ClipDrawing>(budget_.drawings);
  return drawing_.get();
}

FieldNode* SpriteInstance::createTextField(const std::string& name, int depth, const format::Rect& box) {
  auto def = std::make_shared<format::EditTextDef>();
  def->bounds = box;
  def->readOnly = true;  // fields scripts make show text; type = "input" lets the user type
  format::Character c;
  c.kind = format::Character::EditText;
  c.editText = def;
  DisplayObject* obj = placeByScript(depth, 0, c);
  if (!obj) return nullptr;
  obj->name = name;
  obj->field = std::make_shared<text::TextField>(def, characters_);
  obj->fieldNode = std::make_unique<FieldNode>(obj->field);
  adopt(*obj);
  return obj->fieldNode.get();
}

}  // namespace movie::timeline
