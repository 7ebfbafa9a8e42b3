#pragma once
// The running state of a timeline: the display list by depth and the current frame,
// with sprite instances that run their own timelines.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "movie/format/character.h"
#include "movie/format/timeline_def.h"
#include "movie/script/display_node.h"
#include "movie/text/text_field.h"
#include "movie/timeline/clip_drawing.h"
#include "movie/timeline/field_node.h"

namespace movie::text {
class FontLibrary;
}

namespace movie::timeline {

class SpriteInstance;

// What the layer above hears from the running timelines.
class TimelineEvents {
 public:
  virtual ~TimelineEvents() = default;
  // A clip showed a frame whose actions are to run and whose sounds start (on
  // arrival, not while passing over frames in a jump).
  virtual void frameEntered(SpriteInstance& sprite, int frame) = 0;
  // A clip was placed and showed its first frame.
  virtual void clipStarted(SpriteInstance&) {}
  // A button went from one shown state to another (format::ButtonState values) as the
  // pointer rolled over, pressed or released it.
  virtual void buttonStateChanged(SpriteInstance& /*button*/, int /*from*/, int /*to*/) {}
};

// Limits that keep hostile nesting and placement counts bounded, and what the whole
// tree shares: the listener and the movie's exported symbols.
struct Budget {
  int maxNesting = 24;
  int maxObjects = 200'000;
  int objects = 0;  // instances alive, shared across the whole tree
  TimelineEvents* events = nullptr;
  const std::map<std::string, uint16_t>* exports = nullptr;
  const format::CharacterTable* exportTable = nullptr;  // the dictionary exported ids name
  int version = 0;  // the movie's version, which its actions were written for
  int unnamedClips = 0;  // clips placed without a name are "instance1", "instance2", ...
  DrawingAllowance drawings;  // what the clips' script drawings hold together
  // The fonts of the movie whose dictionary an imported character comes from.
  std::function<text::FontLibrary*(const format::CharacterTable&)> fontsOf;
};

struct DisplayObject {
  uint16_t depth = 0;
  uint16_t characterId = 0;
  format::Character character;
  bool known = false;  // the id named a character
  Matrix matrix;
  ColorTransform colorTransform;
  uint16_t ratio = 0;
  std::string name;
  uint16_t clipDepth = 0;
  std::vector<Filter> filters;
  uint8_t blendMode = 0;
  bool cacheAsBitmap = false;
  bool visible = true;
  int placedFrame = 0;  // the frame whose tag created this instance
  bool byScript = false;  // made by a script: timeline jumps keep it
  std::unique_ptr<SpriteInstance> sprite;  // for sprite characters
  std::shared_ptr<text::TextField> field;   // for text field characters
  std::unique_ptr<FieldNode> fieldNode;     // the field as scripts see it
  std::shared_ptr<const std::vector<format::ClipAction>> clipActions;  // onClipEvent handlers
  // An imported character's text uses its own movie's fonts (null: those of its clip).
  text::FontLibrary* homeFonts = nullptr;
};

// The box around what the object draws (its character's own bounds, a clip's around its
// children), under m.
script::Bounds boundsUnder(const DisplayObject& obj, const Matrix& m);

// Depth offset between the file's depths and those scripts see (file depth 1 is -16383).
constexpr int kScriptDepthOffset = 16384;

class SpriteInstance : public script::DisplayNode {
 public:
  // timeline and characters must outlive the instance (the movie definition owns them).
  SpriteInstance(const format::Timeline& timeline, const format::CharacterTable& characters,
                 Budget& budget, int nesting);
  ~SpriteInstance() override;
  SpriteInstance(const SpriteInstance&) = delete;
  SpriteInstance& operator=(const SpriteInstance&) = delete;

  // Shows the first frame (a freshly placed sprite).
  void start();
  // One tick: the next frame (wrapping to the first when loop and the timeline is
  // complete), then the children. Returns false when neither this timeline nor any
  // child's moved to another frame.
  bool advance(bool loop, bool complete);
  // Shows frame f (clamped to the frames that exist). Going back rebuilds the list as
  // of frame f; objects created by the same placement as before keep their instance
  // (a sprite there runs on), the others start anew.
  void gotoFrame(int f) override;
  int currentFrame() const override { return current_; }
  int frameCount() const { return int(timeline_.frames.size()); }
  const std::map<uint16_t, DisplayObject>& displayList() const { return list_; }
  const format::Timeline& timeline() const { return timeline_; }
  // The dictionary its characters come from (a loaded movie's own).
  const format::CharacterTable& characters() const { return characters_; }
  // The symbols the movie this clip belongs to exports and the dictionary their ids
  // name (null when it has none; an imported clip's own dictionary is another one).
  const std::map<std::string, uint16_t>* exports() const { return budget_.exports; }
  const format::CharacterTable* exportTable() const { return budget_.exportTable; }
  // The root of a loaded movie draws its text with that movie's fonts (null: those of
  // the movie around it); the library must outlive the instance.
  void setFonts(text::FontLibrary* fonts) { fonts_ = fonts; }
  text::FontLibrary* fonts() const { return fonts_; }
  // The fonts of the movie whose text this clip shows: its own or those of the nearest
  // clip above it that has some (null: the main movie's).
  text::FontLibrary* fontsAround() const;

  // Buttons are instances over the button's state timeline that never play: the state
  // shown is a frame of it, and only the objects inside run their timelines.
  void makeButton(const format::ButtonDef& def);
  const format::ButtonDef* buttonDef() const { return button_; }
  void showButtonState(int state);
  int buttonState() const { return button_ ? current_ : -1; }
  // The event handlers the clip was placed with (null: none).
  const std::vector<format::ClipAction>* clipActions() const {
    return holder_ && holder_->clipActions ? holder_->clipActions.get() : nullptr;
  }

  // The node as scripts see it.
  DisplayNode* parentNode() override { return parent_; }
  DisplayNode* childNamed(const std::string& name, bool caseSensitive) override;
  std::vector<DisplayNode*> childNodes() override;
  std::string instanceName() const override;
  void setInstanceName(const std::string& name) override;
  int depth() const override;
  bool isClip() const override { return true; }
  int totalFrames() const override;
  int loadedFrames() const override { return frameCount(); }
  int frameOfLabel(const std::string& label) const override;
  void setPlaying(bool playing) override { playing_ = playing; }
  bool playing() const override { return playing_; }
  std::vector<script::CodeRange> frameScripts(int frame) override;
  Matrix matrix() const override;
  void setMatrix(const Matrix& m) override;
  ColorTransform colorTransform() const override;
  void setColorTransform(const ColorTransform& c) override;
  bool visible() const override;
  void setVisible(bool visible) override;
  script::Bounds localBounds() const override;
  DisplayNode* createEmptyChild(const std::string& name, int depth) override;
  DisplayNode* attachChild(const std::string& exportName, const std::string& name, int depth) override;
  DisplayNode* duplicate(const std::string& name, int depth) override;
  bool removeSelf() override;
  bool swapDepth(int depth) override;
  // Puts a new instance running another timeline (a loaded movie, over its own characters
  // and budget, which must outlive it) in this clip's place, keeping its name, depth and
  // placement; the caller start()s it once it has given it what it needs. This instance
  // is destroyed: the caller uses only the result (null, and nothing changed, for the
  // root or past the nesting budget).
  SpriteInstance* replaceTimeline(const format::Timeline& timeline, const format::CharacterTable& characters,
                                  Budget& budget);
  // The same with an empty timeline over this clip's characters (unloadMovie).
  SpriteInstance* replaceByEmpty();
  void setMask(DisplayNode* mask) override;
  void setScrollRect(const script::Bounds* rect) override;
  bool scrollRect(script::Bounds& out) const override;
  bool cacheAsBitmap() const override { return holder_ && holder_->cacheAsBitmap; }
  void setCacheAsBitmap(bool cached) override;
  // The nine-slice grid the clip's character was given (own coordinates), or null.
  const format::Rect* scalingGrid() const { return holder_ ? holder_->character.scalingGrid.get() : nullptr; }
  script::DrawingPen* drawingPen() override;
  // What scripts drew into this clip, beneath its children; null when nothing is drawn.
  const ClipDrawing* drawing() const { return drawing_ && !drawing_->empty() ? drawing_.get() : nullptr; }

  // What the renderer needs of script clipping: the clip masking this one, whether this
  // one masks another (and so is not drawn), the scroll rectangle or null.
  const SpriteInstance* maskClip() const { return maskClip_; }
  const SpriteInstance* parentSprite() const { return parent_; }
  bool isMaskOfClip() const { return maskedClip_ != nullptr; }
  const script::Bounds* scrollRectOrNull() const { return hasScrollRect_ ? &scrollRect_ : nullptr; }
  // The placement of the content: the scroll rectangle's corner moved to the origin,
  // then toOuter (the clip's own placement and what lies above it).
  Matrix withScroll(const Matrix& toOuter) const;

  // A text field that a script makes (box in twips, at its own origin); null when the
  // depth is out of range or the budget is spent.
  FieldNode* createTextField(const std::string& name, int depth, const format::Rect& box);
  // Changes scripts make to the child at a list depth: removal (script depths only) and
  // a swap with whatever is at a script depth.
  bool removeByScript(uint16_t listDepth);
  bool swapByScript(uint16_t listDepth, int scriptDepth);

 private:
  using List = std::map<uint16_t, DisplayObject>;
  // live: the list shown (instances made, the budget counted); otherwise a plan only.
  void runFrame(int f, List& list, bool live, std::vector<uint16_t>* placed);
  void place(const format::PlaceTag& tag, int f, List& list, bool live, std::vector<uint16_t>* placed);
  void assignCharacter(DisplayObject& obj, uint16_t id, bool live);
  // A child instance over a sprite's or button's timeline (c's own dictionary when imported).
  std::unique_ptr<SpriteInstance> childInstance(const format::Timeline& timeline, const format::Character& c);
  void rebuildTo(int f, std::vector<uint16_t>* created);
  // Makes plan the live list, keeping instances that the plan places as before.
  void adoptPlan(List& plan, std::vector<uint16_t>* created);
  void clear();
  void adopt(DisplayObject& obj);  // links a child's sprite back to this parent
  DisplayObject* placeByScript(int depth, uint16_t characterId, const format::Character& c);

  const format::Timeline& timeline_;
  const format::CharacterTable& characters_;
  Budget& budget_;
  int nesting_;
  int current_ = -1;
  List list_;
  SpriteInstance* parent_ = nullptr;
  DisplayObject* holder_ = nullptr;  // the parent's entry for this sprite; null for the root
  bool playing_ = true;
  const format::ButtonDef* button_ = nullptr;
  // The root's own placement (it has no entry in a parent).
  Matrix rootMatrix_;
  ColorTransform rootColor_;
  bool rootVisible_ = true;
  // Links made by setMask, both ways so that either side's removal undoes them.
  SpriteInstance* maskClip_ = nullptr;
  SpriteInstance* maskedClip_ = nullptr;
  void unlinkMask();
  bool hasScrollRect_ = false;
  script::Bounds scrollRect_;
  text::FontLibrary* fonts_ = nullptr;
  std::unique_ptr<ClipDrawing> drawing_;  // made when a script first draws
};

}  // namespace movie::timeline
