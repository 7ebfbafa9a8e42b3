#pragma once
// The pictures of filtered objects, kept from frame to frame: an object whose key is
// unchanged is drawn from its picture, moved by whole pixels, instead of being drawn and
// filtered again.
#include <cstddef>
#include <unordered_map>

#include "movie/paint/subtree_key.h"
#include "movie/render/render.h"

namespace movie::paint {

class FilterCache {
 public:
  struct Picture {
    SubtreeKey key;
    render::Surface pixels;  // filtered, premultiplied; may be empty (nothing to show)
    int left = 0, top = 0;   // its top left, from the object's origin in whole pixels
    int originX = 0, originY = 0;  // the origin it was drawn at
    // Part of the object lay beyond what was drawn: the picture holds only at that origin.
    bool cut = false;
  };

  // The picture kept for the object when it draws the same at this origin, else null.
  const Picture* find(const void* object, const SubtreeKey& key, int originX, int originY);
  // Keeps the object's new picture (unless over the memory budget) and returns it.
  const Picture& store(const void* object, Picture picture);
  // Forgets the pictures of objects not drawn since the last sweep.
  void sweep();
  void clear();

  // Pictures drawn anew and drawn from the cache, since the start.
  int redrawn() const { return redrawn_; }
  int reused() const { return reused_; }

 private:
  struct Entry {
    Picture picture;
    bool used = true;
  };
  std::unordered_map<const void*, Entry> entries_;
  Picture scratch_;  // a picture over the budget, drawn once
  size_t pixels_ = 0;
  int redrawn_ = 0, reused_ = 0;
};

}  // namespace movie::paint
