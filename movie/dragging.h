#pragma once
// The clip that scripts drag: it follows the pointer (its origin on the pointer, or
// keeping the distance it had when the drag began), its position held within its
// limits in its parent's coordinates, until the drag ends. The clip under the pointer
// as it moves and when the drag ends is its drop target. Positions are stage twips.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "movie/paint/hit_test.h"
#include "movie/script/machine.h"
#include "movie/timeline/display_list.h"

namespace movie {

class Dragging {
 public:
  Dragging(script::Machine& machine, const paint::HitTester& hits) : machine_(machine), hits_(hits) {}

  // Starts dragging clip (ending any other drag) with the pointer at (x, y).
  void start(script::DisplayNode& clip, bool lockCenter, const script::Bounds* limits, double x, double y);
  // Ends the drag, if any, with the pointer at (x, y) over the tree under root.
  void stop(timeline::SpriteInstance* root, double x, double y);
  // Moves the dragged clip after the pointer; returns whether it moved.
  bool follow(double x, double y);
  // Notes the clip under the pointer as the dragged clip's drop target.
  void noteDropTarget(timeline::SpriteInstance* root, double x, double y);
  bool active() { return dragged() != nullptr; }
  // The slash path of the clip that node was last dropped on, "" when none.
  std::string dropTarget(const script::DisplayNode* node) const;
  void gatherRoots(std::vector<script::Object*>& out) const;

 private:
  timeline::SpriteInstance* dragged();
  // The innermost clip whose own content (not the dragged clip's) is on top at the point.
  timeline::SpriteInstance* clipUnder(timeline::SpriteInstance& sprite, const timeline::SpriteInstance& skip,
                                      const Matrix& toStage, double x, double y, int nesting);

  script::Machine& machine_;
  const paint::HitTester& hits_;
  script::Object* clip_ = nullptr;  // the dragged clip's object; its node may go away
  double offsetX_ = 0, offsetY_ = 0;  // its origin less the pointer, in its parent's coordinates
  std::optional<script::Bounds> limits_;
  uint64_t droppedClip_ = 0;  // identity of the clip whose drop target is known
  std::string droppedOn_;
};

}  // namespace movie
