#pragma once
// A text field on the stage: its styled text, the settings scripts can change, the
// layout cache, scrolling, focus, caret and selection, and typing into input fields.
#include <cstdint>
#include <memory>
#include <string>

#include "movie/format/character.h"
#include "movie/text/text_layout.h"

namespace movie::text {

enum class AutoSize { None, Left, Center, Right };
enum class EditKey { Backspace, Delete, Left, Right, Home, End, Up, Down, Enter };

class TextField {
 public:
  TextField(std::shared_ptr<const format::EditTextDef> def, const format::CharacterTable& characters);

  const format::EditTextDef& def() const { return *def_; }
  const std::string& variable() const { return variable_; }
  void setVariable(const std::string& name) { variable_ = name; }

  // Text as scripts see it: paragraphs end with '\r'.
  std::u32string text() const { return text_.chars(); }
  void setText(std::u32string_view text);
  std::u32string htmlText() const;
  void setHtmlText(std::u32string_view html);
  void replaceText(size_t begin, size_t end, std::u32string_view text);
  size_t length() const { return text_.size(); }

  TextFormat textFormat(size_t begin, size_t end) const { return text_.commonFormat(begin, end); }
  void setTextFormat(size_t begin, size_t end, const TextFormat& format);
  TextFormat newTextFormat() const { return TextFormat::of(newFormat_); }
  void setNewTextFormat(const TextFormat& format) { format.applyTo(newFormat_); }

  // Settings (twips for geometry).
  struct Settings {
    bool html = false, multiline = false, wordWrap = false, password = false, input = false;
    bool selectable = true, border = false, background = false, embedFonts = false;
    bool condenseWhite = false;
    render::Color borderColor{0, 0, 0, 255}, backgroundColor{255, 255, 255, 255};
    AutoSize autoSize = AutoSize::None;
    int maxChars = 0;
  };
  const Settings& settings() const { return settings_; }
  void changeSettings(const Settings& s);
  // The field's box in its own space (twips); auto size moves and resizes it.
  const format::Rect& bounds() const;
  void setSize(float width, float height);
  void setTextColor(render::Color color);

  const TextLayout& layout(FontLibrary& fonts) const;
  // Lines scrolled off the top (scroll is 1-based, as scripts see it).
  int scroll() const { return scroll_; }
  void setScroll(int line) { scroll_ = std::max(1, line); }
  int maxScroll(FontLibrary& fonts) const;
  int bottomScroll(FontLibrary& fonts) const;

  // Focus, caret and selection (character indices; the caret is the selection's end).
  bool focused() const { return focused_; }
  void setFocus(bool focused);
  size_t selectionBegin() const { return std::min(anchor_, caret_); }
  size_t selectionEnd() const { return std::max(anchor_, caret_); }
  size_t caret() const { return caret_; }
  void setSelection(size_t begin, size_t end);
  // Pointer in field space (twips). Returns false when the field ignores it.
  bool pointerDown(float x, float y, FontLibrary& fonts, bool extend = false);
  void pointerDrag(float x, float y, FontLibrary& fonts);
  // Typing into input fields; false when the field takes no text.
  bool typeChar(char32_t c);
  bool editKey(EditKey key, FontLibrary& fonts);
  // Bumped on every change of text, format, settings, scroll or selection.
  uint32_t revision() const { return revision_; }
  // Scrolls so the caret's line is visible.
  void revealCaret(FontLibrary& fonts);

 private:
  void changed();
  void applyAutoSize(const TextLayout& l) const;
  size_t hit(float x, float y, FontLibrary& fonts) const;
  size_t visibleLines(FontLibrary& fonts) const;

  std::shared_ptr<const format::EditTextDef> def_;
  std::string variable_;
  StyledText text_;
  Format newFormat_;
  Settings settings_;
  mutable format::Rect bounds_;
  int scroll_ = 1;
  bool focused_ = false;
  size_t anchor_ = 0, caret_ = 0;
  uint32_t revision_ = 1;
  mutable uint32_t laidOut_ = 0;
  mutable TextLayout layout_;
};

// The gutter between a field's box and its text, twips.
constexpr float kFieldGutter = 40;

}  // namespace movie::text
