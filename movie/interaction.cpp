#include "movie/interaction.h"

#include <algorithm>
#include <cctype>

#include "movie/script/clip_object.h"
#include "movie/tab_order.h"
#include "movie/text_objects/field_events.h"
#include "movie/timeline/clip_nesting.h"
#include "movie/timeline/stage_matrix.h"

namespace movie {
namespace {

constexpr int kTabKey = 0x09, kEnterKey = 0x0D, kShiftKey = 0x10, kSpaceKey = 0x20;

using timeline::SpriteInstance;

const char* const kPointerHandlers[] = {"onPress",   "onRelease", "onReleaseOutside", "onRollOver",
                                        "onRollOut", "onDragOver", "onDragOut"};

constexpr uint32_t kPointerClipEvents = format::kClipPress | format::kClipRelease | format::kClipReleaseOutside |
                                        format::kClipRollOver | format::kClipRollOut | format::kClipDragOver |
                                        format::kClipDragOut;

// The clip event (on(press), ...) of a button transition.
uint32_t clipEventOf(uint16_t condition) {
  switch (condition) {
    case format::kIdleToOverUp: return format::kClipRollOver;
    case format::kOverUpToIdle: return format::kClipRollOut;
    case format::kOverUpToOverDown: return format::kClipPress;
    case format::kOverDownToOverUp: return format::kClipRelease;
    case format::kOverDownToOutDown: return format::kClipDragOut;
    case format::kOutDownToOverDown: return format::kClipDragOver;
    case format::kOutDownToIdle: return format::kClipReleaseOutside;
    case format::kIdleToOverDown: return format::kClipDragOver;
    case format::kOverDownToIdle: return format::kClipDragOut;
    default: return 0;
  }
}

SpriteInstance* parentOf(SpriteInstance& node) { return static_cast<SpriteInstance*>(node.parentNode()); }

// The code a button's key condition names for a key: 1-19 for the keys without a
// character, the character itself otherwise.
int buttonKeyCode(int virtualKey, char32_t character) {
  switch (virtualKey) {
    case 0x25: return 1;   // left
    case 0x27: return 2;   // right
    case 0x24: return 3;   // home
    case 0x23: return 4;   // end
    case 0x2D: return 5;   // insert
    case 0x2E: return 6;   // delete
    case 0x08: return 8;   // backspace
    case 0x0D: return 13;  // enter
    case 0x26: return 14;  // up
    case 0x28: return 15;  // down
    case 0x21: return 16;  // page up
    case 0x22: return 17;  // page down
    case 0x09: return 18;  // tab
    case 0x1B: return 19;  // escape
    default: break;
  }
  if (character >= 32 && character <= 126) return int(character);
  if (virtualKey >= 'A' && virtualKey <= 'Z') return std::tolower(virtualKey);
  if ((virtualKey >= '0' && virtualKey <= '9') || virtualKey == ' ') return virtualKey;
  return 0;
}

}  // namespace

SpriteInstance* Interaction::live(script::Object* object) {
  return object ? static_cast<SpriteInstance*>(scripting_.machine().nodeOf(script::Value(object))) : nullptr;
}

bool Interaction::interactive(SpriteInstance& node) {
  script::Machine& m = scripting_.machine();
  script::Object* self = node.scriptObject;
  script::Value enabled = m.memberOrUndefined(self, "enabled");
  if (self && !enabled.isUndefined() && !m.toBoolean(enabled)) return false;
  if (node.buttonDef()) return true;
  if (const auto* actions = node.clipActions())
    for (const format::ClipAction& a : *actions)
      if (a.events & kPointerClipEvents) return true;
  if (!self) return false;
  for (const char* name : kPointerHandlers)
    if (m.hasMember(self, name)) return true;
  return false;
}

bool Interaction::contains(SpriteInstance& node) {
  if (!node.visible()) return false;
  SpriteInstance* parent = parentOf(node);
  if (!parent) return false;
  Matrix parentToStage = timeline::contentToStage(*parent);
  const paint::HitTester hits = hitsIn(*parent);
  for (const auto& [depth, obj] : parent->displayList())
    if (obj.sprite.get() == &node)
      return hits.objectContains(obj, parentToStage, x_, y_) &&
             paint::HitTester::ListMasks(*parent).shows(hits, depth, parentToStage, x_, y_);
  return false;
}

bool Interaction::shapeContains(SpriteInstance& node, double x, double y) {
  Matrix m = timeline::placementToStage(node);
  const paint::HitTester hits = hitsIn(node);
  if (node.buttonDef()) return hits.buttonHit(*node.buttonDef(), m, x, y);
  return hits.clipContains(node, node.withScroll(m), x, y);
}

SpriteInstance* Interaction::findTarget(SpriteInstance& sprite, const Matrix& parentToStage, int nesting) {
  if (nesting > timeline::kMaxClipNesting) return nullptr;
  const auto& list = sprite.displayList();
  const paint::HitTester hits = hitsIn(sprite);
  const paint::HitTester::ListMasks masks(sprite);
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    const timeline::DisplayObject& obj = it->second;
    if (!obj.sprite || obj.clipDepth || !obj.visible || obj.sprite->isMaskOfClip()) continue;
    SpriteInstance& child = *obj.sprite;
    Matrix placement = obj.matrix.then(parentToStage);
    // Masks over the child hide all of it, its inner buttons too.
    if (!hits.clippingShows(child, placement, x_, y_) || !masks.shows(hits, it->first, parentToStage, x_, y_))
      continue;
    Matrix content = child.withScroll(placement);
    // A button's own states may hold buttons, which are in front of it.
    if (child.buttonDef())
      if (SpriteInstance* inner = findTarget(child, content, nesting + 1)) return inner;
    if (interactive(child)) {
      if (hits.objectContains(obj, parentToStage, x_, y_)) return &child;
      continue;
    }
    if (child.buttonDef()) continue;
    if (SpriteInstance* inner = findTarget(child, content, nesting + 1)) return inner;
  }
  return nullptr;
}

SpriteInstance* Interaction::targetUnderPointer() {
  // The levels lie one above the other: the highest that has something there answers.
  std::vector<SpriteInstance*> levels = scripting_.levels();
  for (auto it = levels.rbegin(); it != levels.rend(); ++it) {
    SpriteInstance& level = **it;
    if (!level.visible()) continue;
    if (SpriteInstance* found = findTarget(level, level.matrix(), 0)) return found;
  }
  return nullptr;
}

bool Interaction::tracksAsMenu(script::Object* target) {
  SpriteInstance* node = live(target);
  if (!node) return false;
  script::Machine& m = scripting_.machine();
  script::Value set = m.memberOrUndefined(target, "trackAsMenu");
  if (!set.isUndefined()) return m.toBoolean(set);
  return node->buttonDef() && node->buttonDef()->trackAsMenu;
}

bool Interaction::trackMenu(script::Object* over) {
  // With the pointer held down but nothing pressed, only menu items hear it come over
  // them; the one it comes over takes the press, so releasing there releases it.
  if (!over || !tracksAsMenu(over)) return false;
  pressed_ = hover_ = over;
  pressedInside_ = true;
  transition(over, format::kIdleToOverDown, "onDragOver", format::kButtonDown);
  return true;
}

void Interaction::transition(script::Object* target, uint16_t condition, const char* handler, int buttonState) {
  SpriteInstance* node = live(target);
  if (!node) return;
  if (const format::ButtonDef* def = node->buttonDef()) {
    node->showButtonState(buttonState);
    SpriteInstance* parent = parentOf(*node);
    script::Object* scope = scripting_.machine().clipObject(parent ? parent : node);
    for (const format::ButtonAction& action : def->actions) {
      if (!(action.conditions & condition)) continue;
      scripting_.machine().run(script::CodeRange::of(action.actions, scripting_.machine().version()), scope);
      if (!live(target)) return;
    }
  } else {
    scripting_.runClipActions(*node, clipEventOf(condition));
    if (!live(target)) return;
  }
  scripting_.machine().callHandler(script::Value(target), handler);
}

bool Interaction::updateHover() {
  if (!root_ || !pointerKnown_) return false;
  SpriteInstance* found = targetUnderPointer();
  script::Object* now = found ? scripting_.machine().clipObject(found) : nullptr;
  if (pressed_) {
    // While pressed only the pressed target matters: it is dragged out and back over.
    SpriteInstance* node = live(pressed_);
    if (!node) {
      pressed_ = nullptr;
      return false;
    }
    bool inside = contains(*node);
    if (inside == pressedInside_) return false;
    if (!inside && tracksAsMenu(pressed_)) {
      // A menu item lets go of the press when the pointer leaves it.
      script::Object* left = pressed_;
      pressed_ = hover_ = nullptr;
      transition(left, format::kOverDownToIdle, "onDragOut", format::kButtonUp);
      trackMenu(now == left ? nullptr : now);
      return true;
    }
    pressedInside_ = inside;
    if (inside)
      transition(pressed_, format::kOutDownToOverDown, "onDragOver", format::kButtonDown);
    else
      transition(pressed_, format::kOverDownToOutDown, "onDragOut", format::kButtonOver);
    return true;
  }
  if (buttonHeld_) return trackMenu(now);
  if (now == hover_) return false;
  script::Object* before = hover_;
  hover_ = now;
  if (before) transition(before, format::kOverUpToIdle, "onRollOut", format::kButtonUp);
  if (now && hover_ == now) transition(now, format::kIdleToOverUp, "onRollOver", format::kButtonOver);
  return true;
}

bool Interaction::pointerMove(double x, double y) {
  bool moved = !pointerKnown_ || x != x_ || y != y_;
  x_ = x, y_ = y;
  pointerKnown_ = true;
  scripting_.setPointer(x, y);
  scripting_.beginFrame();
  bool dragged = dragging_.follow(x, y);
  if (moved) dragging_.noteDropTarget(root_, x, y);
  // Working with the pointer ends working with the keyboard: the focus frame goes.
  text_objects::ClipFocus* focus = scripting_.textEnvironment().clipFocus;
  script::Bounds frame;
  bool frameGone = moved && focus && focusFrameBox(frame);
  if (moved && focus) focus->hearsKeys = false;
  if (moved) {
    scripting_.clipEvent(format::kClipMouseMove, "onMouseMove");
    scripting_.broadcast("Mouse", "onMouseMove");
  }
  bool changed = updateHover() || dragged || frameGone;
  return scripting_.runQueued() || changed;
}

bool Interaction::refresh() {
  if (!pointerKnown_) return false;
  // The dragged clip's parent may have moved under the pointer.
  bool changed = dragging_.follow(x_, y_);
  changed = updateHover() || changed;
  return scripting_.runQueued() || changed;
}

bool Interaction::wheel(int delta) {
  scripting_.beginFrame();
  // Mouse listeners hear the lines turned and the clip under the pointer.
  updateHover();
  script::Value over = hover_ && live(hover_) ? script::Value(hover_) : script::Value();
  scripting_.broadcast("Mouse", "onMouseWheel", {double(delta), over});
  return scripting_.runQueued();
}

bool Interaction::pointerDown() {
  scripting_.beginFrame();
  scripting_.clipEvent(format::kClipMouseDown, "onMouseDown");
  scripting_.broadcast("Mouse", "onMouseDown");
  updateHover();
  buttonHeld_ = true;
  bool focusLeft = pressTakesClipFocus();
  if (!hover_ || !live(hover_)) return scripting_.runQueued() || focusLeft;
  pressed_ = hover_;
  pressedInside_ = true;
  transition(pressed_, format::kOverUpToOverDown, "onPress", format::kButtonDown);
  scripting_.runQueued();
  return true;
}

bool Interaction::pressTakesClipFocus() {
  // A press anywhere but on the button or clip with the focus takes the focus from it.
  text_objects::TextEnvironment& env = scripting_.textEnvironment();
  script::Machine& m = scripting_.machine();
  script::Object* focused = text_objects::focusedObject(m, env);
  if (!focused || !env.clipFocus || focused != env.clipFocus->object || focused == hover_) return false;
  text_objects::moveFocus(m, env, nullptr);
  return true;
}

bool Interaction::pointerUp() {
  scripting_.beginFrame();
  scripting_.clipEvent(format::kClipMouseUp, "onMouseUp");
  scripting_.broadcast("Mouse", "onMouseUp");
  buttonHeld_ = false;
  if (!pressed_) {
    updateHover();
    return scripting_.runQueued();
  }
  script::Object* released = pressed_;
  bool inside = pressedInside_;
  pressed_ = nullptr;
  if (inside) {
    transition(released, format::kOverDownToOverUp, "onRelease", format::kButtonOver);
  } else {
    if (hover_ == released) hover_ = nullptr;
    transition(released, format::kOutDownToIdle, "onReleaseOutside", format::kButtonUp);
  }
  updateHover();
  scripting_.runQueued();
  return true;
}

void Interaction::runKeyActions(SpriteInstance& sprite, int key, int nesting, bool& buttonAnswered) {
  if (nesting > timeline::kMaxClipNesting) return;
  std::vector<script::Object*> buttons;
  std::vector<SpriteInstance*> clips;
  for (const auto& [depth, obj] : sprite.displayList()) {
    if (!obj.sprite) continue;
    if (obj.sprite->buttonDef()) buttons.push_back(scripting_.machine().clipObject(obj.sprite.get()));
    else clips.push_back(obj.sprite.get());
  }
  // One button answers a key: the first that waits for it.
  for (script::Object* button : buttons) {
    SpriteInstance* node = live(button);
    if (!node || buttonAnswered) continue;
    SpriteInstance* parent = parentOf(*node);
    script::Object* scope = scripting_.machine().clipObject(parent ? parent : node);
    for (const format::ButtonAction& action : node->buttonDef()->actions)
      if (action.keyCode == key && live(button)) {
        scripting_.machine().run(script::CodeRange::of(action.actions, scripting_.machine().version()), scope);
        buttonAnswered = true;
      }
  }
  for (SpriteInstance* clip : clips) {
    script::Object* object = scripting_.machine().clipObject(clip);
    if (SpriteInstance* node = live(object)) scripting_.runClipActions(*node, format::kClipKeyPress, key);
    if (SpriteInstance* node = live(object)) runKeyActions(*node, key, nesting + 1, buttonAnswered);
  }
}

script::Object* Interaction::focusedClip() {
  text_objects::TextEnvironment& env = scripting_.textEnvironment();
  script::Object* focused = text_objects::focusedObject(scripting_.machine(), env);
  return focused && env.clipFocus && focused == env.clipFocus->object && env.clipFocus->hearsKeys ? focused : nullptr;
}

void Interaction::moveFocusByTab() {
  script::Machine& m = scripting_.machine();
  text_objects::TextEnvironment& env = scripting_.textEnvironment();
  std::vector<script::Object*> order =
      tabOrder(m, scripting_.levels(), [this](SpriteInstance& s) { return interactive(s); });
  if (order.empty()) return;
  bool back = scripting_.keyIsDown(kShiftKey);
  auto at = std::find(order.begin(), order.end(), text_objects::focusedObject(m, env));
  size_t next = back ? order.size() - 1 : 0;
  if (at != order.end()) next = (size_t(at - order.begin()) + (back ? order.size() - 1 : 1)) % order.size();
  text_objects::moveFocus(m, env, order[next]);
}

bool Interaction::framed(script::Object* focused) {
  SpriteInstance* node = live(focused);
  if (!node) return false;
  if (node->focusRect >= 0 && scripting_.machine().version() >= 6) return node->focusRect == 1;
  return scripting_.focusRectShown();
}

bool Interaction::focusKeyDown(int virtualKey) {
  script::Object* focused = focusedClip();
  if (focused) scripting_.machine().callHandler(script::Value(focused), "onKeyDown");
  if (virtualKey == kTabKey) {
    moveFocusByTab();
    return true;
  }
  if (!focused || (virtualKey != kEnterKey && virtualKey != kSpaceKey) || !framed(focused)) return focused != nullptr;
  transition(focused, format::kOverUpToOverDown, "onPress", format::kButtonDown);
  if (live(focused))
    transition(focused, format::kOverDownToOverUp, "onRelease", hover_ == focused ? format::kButtonOver : format::kButtonUp);
  return true;
}

bool Interaction::keyDown(int virtualKey, char32_t character) {
  if (!root_) return false;
  scripting_.setKey(virtualKey, character, true);
  scripting_.beginFrame();
  scripting_.clipEvent(format::kClipKeyDown, nullptr);
  scripting_.broadcast("Key", "onKeyDown");
  bool focusChanged = focusKeyDown(virtualKey);
  int key = buttonKeyCode(virtualKey, character);
  bool buttonAnswered = false;
  if (key)
    for (SpriteInstance* level : scripting_.levels()) runKeyActions(*level, key, 0, buttonAnswered);
  return scripting_.runQueued() || key != 0 || focusChanged;
}

bool Interaction::keyUp(int virtualKey) {
  if (!root_) return false;
  scripting_.setKey(virtualKey, 0, false);
  scripting_.beginFrame();
  scripting_.clipEvent(format::kClipKeyUp, nullptr);
  scripting_.broadcast("Key", "onKeyUp");
  if (script::Object* focused = focusedClip()) scripting_.machine().callHandler(script::Value(focused), "onKeyUp");
  return scripting_.runQueued();
}

bool Interaction::overClickable() const {
  if (!hover_ && !pressed_) return false;
  script::Object* target = pressed_ ? pressed_ : hover_;
  script::Machine& m = scripting_.machine();
  if (!m.nodeOf(script::Value(target))) return false;
  script::Value hand = m.memberOrUndefined(target, "useHandCursor");
  return hand.isUndefined() || m.toBoolean(hand);
}

bool Interaction::focusFrameBox(script::Bounds& box) {
  script::Object* focused = focusedClip();
  SpriteInstance* node = live(focused);
  if (!node || !framed(focused)) return false;
  int guard = 0;
  for (SpriteInstance* n = node; n; n = parentOf(*n))
    if (!n->visible() || ++guard > timeline::kMaxClipNesting) return false;
  box = script::transformBounds(node->localBounds(), timeline::placementToStage(*node));
  return !box.empty;
}

void Interaction::gatherRoots(std::vector<script::Object*>& out) const {
  dragging_.gatherRoots(out);
  const text_objects::ClipFocus* focus = scripting_.textEnvironment().clipFocus;
  if (focus && focus->object) out.push_back(focus->object);
  if (focus)
    for (const auto& highlight : focus->highlights) out.push_back(highlight.first);
  if (hover_) out.push_back(hover_);
  if (pressed_) out.push_back(pressed_);
}

}  // namespace movie
