#pragma once
// What the script machine needs from a movie clip on the display list: its place in the
// tree, its timeline and its placement. The timeline layer implements it; the machine
// keeps one script object per node (scriptObject), which the node clears on removal.
#include <cstdint>
#include <string>
#include <vector>

#include "movie/value/color_transform.h"
#include "movie/value/matrix.h"
#include "movie/script/code.h"
#include "movie/script/drawing_pen.h"

namespace movie::script {

class Object;

struct Bounds {
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;  // twips
  bool empty = true;
};

class DisplayNode {
 public:
  DisplayNode();
  DisplayNode(const DisplayNode&) = delete;
  DisplayNode& operator=(const DisplayNode&) = delete;
  virtual ~DisplayNode();  // the script object of a removed clip answers nothing more

  // Unique to this node for the life of the process: what outlives a node (sound
  // settings, say) is keyed by it, never by the address, which a later node may reuse.
  uint64_t identity() const { return identity_; }

  // Tree.
  virtual DisplayNode* parentNode() = 0;
  virtual DisplayNode* childNamed(const std::string& name, bool caseSensitive) = 0;
  virtual std::vector<DisplayNode*> childNodes() = 0;  // in depth order
  virtual std::string instanceName() const = 0;
  virtual void setInstanceName(const std::string& name) = 0;
  virtual int depth() const = 0;
  virtual bool isClip() const = 0;  // has a timeline (movie clips; not shapes)

  // Timeline, frames counted from 0.
  virtual int currentFrame() const = 0;
  virtual int totalFrames() const = 0;
  virtual int loadedFrames() const = 0;
  virtual int frameOfLabel(const std::string& label) const = 0;  // -1 when absent
  virtual void gotoFrame(int frame) = 0;  // runs the frames' tags, queues the actions
  virtual void setPlaying(bool playing) = 0;
  virtual bool playing() const = 0;
  // The actions of a frame (the Call action runs them at once).
  virtual std::vector<CodeRange> frameScripts(int frame) = 0;

  // Placement within the parent.
  virtual Matrix matrix() const = 0;
  virtual void setMatrix(const Matrix& m) = 0;
  virtual ColorTransform colorTransform() const = 0;
  virtual void setColorTransform(const ColorTransform& c) = 0;
  virtual bool visible() const = 0;
  virtual void setVisible(bool visible) = 0;
  virtual Bounds localBounds() const = 0;  // own coordinates

  // Changes made by scripts; each returns false when it cannot be done.
  virtual DisplayNode* createEmptyChild(const std::string& name, int depth) = 0;
  virtual DisplayNode* attachChild(const std::string& exportName, const std::string& name, int depth) = 0;
  virtual DisplayNode* duplicate(const std::string& name, int depth) = 0;
  virtual bool removeSelf() = 0;  // only clips that scripts made or moved to script depths
  virtual bool swapDepth(int depth) = 0;

  // Clipping set by scripts. setMask: another clip's shape clips this one and is no
  // longer drawn itself (null removes the mask). The scroll rectangle (twips, own
  // coordinates) clips the clip and moves its top left corner to the clip's origin;
  // null removes it, scrollRect answers false when there is none. Nodes other than
  // clips take neither.
  virtual void setMask(DisplayNode*) {}
  virtual void setScrollRect(const Bounds*) {}
  virtual bool scrollRect(Bounds&) const { return false; }
  // Whether the clip is drawn through a kept picture of itself (nodes other than clips:
  // never).
  virtual bool cacheAsBitmap() const { return false; }
  virtual void setCacheAsBitmap(bool) {}

  // The clip's own drawing, made on first use; null for nodes that take none.
  virtual DrawingPen* drawingPen() { return nullptr; }

  Object* scriptObject = nullptr;
  // _focusrect as a script set it on this node: -1 not set (the player's setting
  // counts), 0 no rectangle around it when it has the focus, 1 a rectangle.
  int8_t focusRect = -1;

 private:
  const uint64_t identity_;
};

}  // namespace movie::script
