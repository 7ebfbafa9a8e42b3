#pragma once
// Which text field has the keyboard: a click on a selectable or input field focuses it
// and places the caret (a drag selects), typing and editing keys go to it, a click
// elsewhere takes the focus away.
#include <memory>

#include "movie/render/render.h"
#include "movie/text/text_field.h"

namespace movie::timeline {
class SpriteInstance;
}

namespace movie::text {

class FieldFocus {
 public:
  // x, y in device pixels; toDevice maps the root's space to them. Returns whether a
  // field took the click.
  bool pointerDown(const timeline::SpriteInstance& root, const render::Matrix& toDevice, float x, float y,
                   FontLibrary& fonts);
  void pointerDrag(float x, float y, FontLibrary& fonts);
  void pointerUp() { dragging_ = false; }
  bool typeChar(char32_t c);
  bool editKey(EditKey key, FontLibrary& fonts);
  std::shared_ptr<TextField> focused() const { return focused_.lock(); }
  // Gives a field the keyboard, as a script asks (the caret goes to its end).
  void focus(const std::shared_ptr<TextField>& field);
  void clear();

 private:
  std::weak_ptr<TextField> focused_;
  render::Matrix toField_;  // device pixels -> the focused field's space
  bool dragging_ = false;
};

}  // namespace movie::text
