#pragma once
// Which text field has the keyboard: a click on a selectable or input field focuses it
// and places the caret (a drag selects), typing and editing keys go to it, a click
// elsewhere takes the focus away.
#include <memory>
#include <vector>

#include "movie/render/render.h"
#include "movie/text/text_field.h"

namespace movie::timeline {
class SpriteInstance;
}

namespace movie::text {

class FieldFocus {
 public:
  // levels: the roots of the levels, lowest first; the highest with a field under the
  // point takes the click. x, y in device pixels; toDevice maps the stage to them.
  // mainFonts: the main movie's, for fields of movies without fonts of their own.
  // Returns whether a field took the click.
  bool pointerDown(const std::vector<const timeline::SpriteInstance*>& levels, const render::Matrix& toDevice,
                   float x, float y, FontLibrary& mainFonts);
  void pointerDrag(float x, float y, FontLibrary& mainFonts);
  void pointerUp() { dragging_ = false; }
  bool typeChar(char32_t c);
  bool editKey(EditKey key, FontLibrary& mainFonts);
  std::shared_ptr<TextField> focused() const { return focused_.lock(); }
  // Gives a field the keyboard, as a script asks (the caret goes to its end); own: the
  // fonts of the movie that defines it (null: the main movie's).
  void focus(const std::shared_ptr<TextField>& field, FontLibrary* own);
  void clear();

 private:
  // The focused field measures and edits with its own movie's fonts.
  FontLibrary& fontsOr(FontLibrary& mainFonts) const { return ownFonts_ ? *ownFonts_ : mainFonts; }

  std::weak_ptr<TextField> focused_;
  FontLibrary* ownFonts_ = nullptr;  // null: the main movie's
  render::Matrix toField_;  // device pixels -> the focused field's space
  bool dragging_ = false;
};

}  // namespace movie::text
