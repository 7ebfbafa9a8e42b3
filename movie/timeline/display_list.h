#pragma once
// The running state of a timeline: the display list by depth and the current frame,
// with sprite instances that run their own timelines.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "movie/format/character.h"
#include "movie/format/timeline_def.h"

namespace movie::timeline {

// Limits that keep hostile nesting and placement counts bounded.
struct Budget {
  int maxNesting = 24;
  int maxObjects = 200'000;
  int objects = 0;  // instances alive, shared across the whole tree
};

class SpriteInstance;

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
  std::vector<format::Filter> filters;
  uint8_t blendMode = 0;
  bool cacheAsBitmap = false;
  bool visible = true;
  int placedFrame = 0;  // the frame whose tag created this instance
  std::unique_ptr<SpriteInstance> sprite;  // for sprite characters
};

class SpriteInstance {
 public:
  // timeline and characters must outlive the instance (the movie definition owns them).
  SpriteInstance(const format::Timeline& timeline, const format::CharacterTable& characters,
                 Budget& budget, int nesting);
  ~SpriteInstance();
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
  void gotoFrame(int f);
  int currentFrame() const { return current_; }
  int frameCount() const { return int(timeline_.frames.size()); }
  const std::map<uint16_t, DisplayObject>& displayList() const { return list_; }
  const format::Timeline& timeline() const { return timeline_; }

 private:
  using List = std::map<uint16_t, DisplayObject>;
  // live: the list shown (instances made, the budget counted); otherwise a plan only.
  void runFrame(int f, List& list, bool live, std::vector<uint16_t>* placed);
  void place(const format::PlaceTag& tag, int f, List& list, bool live, std::vector<uint16_t>* placed);
  void assignCharacter(DisplayObject& obj, uint16_t id, bool live);
  void rebuildTo(int f, std::vector<uint16_t>* created);
  void clear();

  const format::Timeline& timeline_;
  const format::CharacterTable& characters_;
  Budget& budget_;
  int nesting_;
  int current_ = -1;
  List list_;
};

}  // namespace movie::timeline
