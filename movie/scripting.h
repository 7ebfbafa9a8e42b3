#pragma once
// Ties the script machine to the running timelines: frames entered queue their actions,
// which run once the whole tree has moved; the machine's questions about levels,
// loading and time are answered from the player.
#include <cstddef>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "movie/format/movie_def.h"
#include "movie/script/machine.h"
#include "movie/text_objects/text_environment.h"
#include "movie/timeline/display_list.h"

namespace movie {

class Dragging;
class Loads;

class Scripting : public timeline::TimelineEvents, public script::MachineHost {
 public:
  using TraceHandler = std::function<void(const std::string&)>;
  using UrlHandler = std::function<void(const std::string& url, const std::string& target)>;

  Scripting(const format::MovieDef& movie, timeline::Budget& budget);
  ~Scripting() override;

  void setRoot(timeline::SpriteInstance* root);
  // A movie loaded into a clip or a level, shown by root: its init actions run from
  // here on, with root as their this.
  void addMovie(const format::MovieDef& movie, timeline::SpriteInstance& root);
  // Level 0 and the levels above it, lowest first.
  std::vector<timeline::SpriteInstance*> levels();
  void setLoading(size_t loaded, size_t total) { bytesLoaded_ = loaded, bytesTotal_ = total; }
  void setTraceHandler(TraceHandler h) { trace_ = std::move(h); }
  void setUrlHandler(UrlHandler h) { url_ = std::move(h); }
  // Objects the layers above hold between scripts (the button under the pointer).
  void setExtraRoots(std::function<void(std::vector<script::Object*>&)> gather) { extraRoots_ = std::move(gather); }

  // A new frame's budget; then the queued actions (and init actions that arrived).
  // Both return whether any script ran (the picture may have changed).
  void beginFrame();
  bool runQueued();
  // Advances script time by one frame and runs due timers.
  bool frameDone(double frameRate);
  script::Machine& machine() { return *machine_; }
  // The fonts and focus the text objects of scripts use.
  text_objects::TextEnvironment& textEnvironment() { return textEnvironment_; }
  // The focused field's object, taken before the player moves the focus; then what
  // scripts hear of the move, and of the user's edits to the focused field.
  script::Object* focusedFieldObject();
  void focusMoved(script::Object* before);
  void focusedFieldEdited();

  // Clip events: each clip's onClipEvent actions for event, then its method of that
  // name (none: 0 / null); children before their parents, higher depths first.
  void clipEvent(uint32_t event, const char* method);
  // The actions a clip was placed with for event (and key, for key presses).
  void runClipActions(timeline::SpriteInstance& clip, uint32_t event, int key = 0);

  // TimelineEvents
  void frameEntered(timeline::SpriteInstance& sprite, int frame) override;
  void clipStarted(timeline::SpriteInstance& clip) override;
  // MachineHost
  void trace(const std::string& line) override;
  void getUrl(const std::string& url, const std::string& target, int method) override;
  double milliseconds() override { return milliseconds_; }
  script::DisplayNode* level(int n) override;
  int levelNumber(script::DisplayNode* root) override;
  std::vector<script::DisplayNode*> levelRoots() override;
  double bytesLoaded(script::DisplayNode* clip) override;
  double bytesTotal(script::DisplayNode* clip) override;
  bool load(const script::LoadRequest& request) override;
  void unload(script::DisplayNode* clip, int level) override;
  double pointerX() override { return pointerX_; }
  double pointerY() override { return pointerY_; }
  bool keyIsDown(int code) override { return code >= 0 && code < 256 && keysDown_[size_t(code)]; }
  int lastKeyCode() override { return lastKey_; }
  int lastKeyAscii() override { return lastAscii_; }
  double stageWidth() override { return (movie_.stage.xMax - movie_.stage.xMin) / 20.0; }
  double stageHeight() override { return (movie_.stage.yMax - movie_.stage.yMin) / 20.0; }
  bool showPointer(bool show) override;
  void startDrag(script::DisplayNode* clip, bool lockCenter, const script::Bounds* limits) override;
  void stopDrag() override;
  std::string dropTarget(script::DisplayNode* clip) override;
  bool shapeContains(script::DisplayNode* node, double x, double y) override {
    return shapeTest_ && shapeTest_(node, x, y);
  }
  // How shapeContains is answered (the layer that hit-tests the tree).
  void setShapeTest(std::function<bool(script::DisplayNode*, double, double)> test) { shapeTest_ = std::move(test); }
  bool pointerHidden() const { return pointerHidden_; }

  // What the player heard from its host, for the questions scripts ask.
  void setPointer(double x, double y) { pointerX_ = x, pointerY_ = y; }
  void setKey(int virtualKey, char32_t character, bool down);
  // Calls a handler on the listeners of _global[source] (Key, Mouse).
  void broadcast(const char* source, const char* handler, const std::vector<script::Value>& args = {});
  script::SoundService* sounds() override { return sounds_; }
  script::ClipObject* newNodeObject(script::DisplayNode* node) override;
  void nodeLeavesFocus(script::DisplayNode* node) override;
  bool focusRectShown() override;
  void setFocusRectShown(bool shown) override;
  void setSounds(script::SoundService* sounds) { sounds_ = sounds; }
  void setLoads(Loads* loads) { loads_ = loads; }
  void setDragging(Dragging* dragging) { dragging_ = dragging; }

 private:
  // A movie whose init actions run: each character's once, before the frame of the
  // main timeline that the tag came with.
  struct MovieScripts {
    const format::MovieDef* movie;
    script::Object* root;  // the clip it shows in (this for its init actions)
    size_t next = 0;       // init actions looked at
    std::set<uint16_t> done;
  };
  struct Pending {
    script::Object* clip;
    int frame;           // the frame whose actions run, or -1 for the load event
  };
  void runPending(const Pending& p);
  // Rollover and rollout that focusing by script gave; returns whether any ran.
  bool runFocusHighlights();
  void gatherClips(timeline::SpriteInstance& sprite, std::vector<script::Object*>& out, int depth);
  void runLoadEvent(script::Object* clip);
  void runInitActions();
  void runInitActions(MovieScripts& movie);
  size_t initActionsLookedAt() const;
  void collectIfGrown();
  void exchangeFields();

  const format::MovieDef& movie_;
  text_objects::TextEnvironment textEnvironment_;  // before the machine, whose natives use it
  std::unique_ptr<script::Machine> machine_;
  timeline::SpriteInstance* root_ = nullptr;
  std::vector<Pending> queue_;
  std::vector<MovieScripts> movies_;  // the main movie first
  size_t bytesLoaded_ = 0, bytesTotal_ = 0;
  double milliseconds_ = 0;
  TraceHandler trace_;
  UrlHandler url_;
  std::function<void(std::vector<script::Object*>&)> extraRoots_;
  double pointerX_ = 0, pointerY_ = 0;
  bool keysDown_[256] = {};
  int lastKey_ = 0, lastAscii_ = 0;
  bool pointerHidden_ = false;
  script::SoundService* sounds_ = nullptr;
  Loads* loads_ = nullptr;
  Dragging* dragging_ = nullptr;
  std::function<bool(script::DisplayNode*, double, double)> shapeTest_;
};

}  // namespace movie
