#pragma once
// The pointer and the keyboard as the movie sees them: which button or clip with
// pointer handlers is under the pointer, the states buttons show, the transitions that
// run button actions and the handler methods (onRollOver, onPress, onRelease, ...), and
// key presses that buttons wait for. Positions are stage twips.
#include <cstdint>
#include <vector>

#include "movie/dragging.h"
#include "movie/format/character.h"
#include "movie/paint/hit_test.h"
#include "movie/scripting.h"
#include "movie/timeline/display_list.h"

namespace movie {

class Interaction {
 public:
  Interaction(Scripting& scripting, paint::ShapeCache& cache, const format::CharacterTable& characters)
      : scripting_(scripting), cache_(cache), hits_(cache, characters), dragging_(scripting.machine(), hits_) {}

  void setRoot(timeline::SpriteInstance* root) { root_ = root; }
  // The clip scripts drag, which follows the pointer.
  Dragging& dragging() { return dragging_; }

  // Each returns whether the stage may have changed.
  bool pointerMove(double x, double y);
  bool pointerDown();
  bool pointerUp();
  // A key pressed (Windows virtual-key code) and the character it types (0: none).
  bool keyDown(int virtualKey, char32_t character);
  bool keyUp(int virtualKey);
  // The wheel turned by delta lines (positive: away from the user).
  bool wheel(int delta);
  // The tree moved under a pointer that stood still: what it is over is found again.
  bool refresh();

  // The pointer is over something that can be clicked and shows the hand.
  bool overClickable() const;
  bool pressed() const { return pressed_ != nullptr; }
  double x() const { return x_; }
  double y() const { return y_; }
  // Whether a stage point (twips) lies on what a clip draws (its drawing and children;
  // a button's hit area), wherever the pointer is.
  bool shapeContains(timeline::SpriteInstance& node, double x, double y);
  // The stage box (twips) of the button or clip that shows the focus frame: it has the
  // focus from the keyboard or a script, is shown and framed. False: none.
  bool focusFrameBox(script::Bounds& box);
  // What the machine must keep alive between scripts.
  void gatherRoots(std::vector<script::Object*>& out) const;

 private:
  // The button or clip the pointer is over, in the highest level that has one.
  timeline::SpriteInstance* targetUnderPointer();
  // Hit tests in a clip's own movie, whose characters a loaded movie brings.
  paint::HitTester hitsIn(const timeline::SpriteInstance& sprite) const { return {cache_, sprite.characters()}; }
  timeline::SpriteInstance* findTarget(timeline::SpriteInstance& sprite, const Matrix& toStage, int nesting);
  bool interactive(timeline::SpriteInstance& node);
  bool contains(timeline::SpriteInstance& node);
  timeline::SpriteInstance* live(script::Object* object);
  // A transition of one target: the button's state and actions, then its handler.
  void transition(script::Object* target, uint16_t condition, const char* handler, int buttonState);
  void runKeyActions(timeline::SpriteInstance& sprite, int key, int nesting, bool& buttonAnswered);
  // The button or clip with the keyboard hears the key; Tab moves the focus, Enter
  // and Space press and release what has it. Returns whether anything happened.
  bool focusKeyDown(int virtualKey);
  // A press elsewhere takes the focus from a button or clip; returns whether it did.
  bool pressTakesClipFocus();
  // Whether the focused button or clip shows the focus frame (its _focusrect, else the
  // player's); Enter and Space press it only then.
  bool framed(script::Object* focused);
  void moveFocusByTab();
  script::Object* focusedClip();
  bool updateHover();
  // Buttons and clips that track as menus hear a pointer pressed elsewhere.
  bool tracksAsMenu(script::Object* target);
  bool trackMenu(script::Object* over);

  Scripting& scripting_;
  paint::ShapeCache& cache_;
  paint::HitTester hits_;  // in the main movie
  Dragging dragging_;
  timeline::SpriteInstance* root_ = nullptr;
  double x_ = 0, y_ = 0;
  bool pointerKnown_ = false;
  script::Object* hover_ = nullptr;    // under the pointer
  script::Object* pressed_ = nullptr;  // pressed and not yet released
  bool pressedInside_ = false;
  bool buttonHeld_ = false;  // the pointer's button is down
};

}  // namespace movie
