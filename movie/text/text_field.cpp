#include "movie/text/text_field.h"

#include <algorithm>

#include "movie/text/html_text.h"

namespace movie::text {
namespace {

Align alignOf(format::EditTextDef::Align a) {
  switch (a) {
    case format::EditTextDef::Right: return Align::Right;
    case format::EditTextDef::Center: return Align::Center;
    case format::EditTextDef::Justify: return Align::Justify;
    default: return Align::Left;
  }
}

std::string fontNameOf(const format::EditTextDef& def, const format::CharacterTable& characters) {
  if (!def.fontClass.empty()) return def.fontClass;
  auto c = characters.find(def.fontId);
  // Plain text takes the style of the field's font; html text states its own.
  if (def.hasFont && c != characters.end() && c->second.kind == format::Character::Font && c->second.font &&
      !c->second.font->name.empty())
    return c->second.font->name;
  return "Times New Roman";
}

Format baseFormat(const format::EditTextDef& def, const format::CharacterTable& characters) {
  Format f;
  f.chars.font = fontNameOf(def, characters);
  f.chars.size = def.height / 20;
  f.chars.color = def.color;
  auto c = characters.find(def.fontId);
  // Plain text takes the style of the field's font; html text states its own.
  if (def.hasFont && !def.html && c != characters.end() && c->second.kind == format::Character::Font && c->second.font) {
    f.chars.bold = c->second.font->bold;
    f.chars.italic = c->second.font->italic;
  }
  f.para.align = alignOf(def.align);
  f.para.leftMargin = def.leftMargin / 20;
  f.para.rightMargin = def.rightMargin / 20;
  f.para.indent = def.indent / 20;
  f.para.leading = def.leading / 20;
  return f;
}

}  // namespace

TextField::TextField(std::shared_ptr<const format::EditTextDef> def, const format::CharacterTable& characters)
    : def_(std::move(def)), variable_(def_->variableName), bounds_(def_->bounds) {
  newFormat_ = baseFormat(*def_, characters);
  settings_.html = def_->html;
  settings_.multiline = def_->multiline;
  settings_.wordWrap = def_->wordWrap;
  settings_.password = def_->password;
  settings_.input = !def_->readOnly;
  settings_.selectable = !def_->noSelect;
  settings_.border = settings_.background = def_->border;
  settings_.embedFonts = def_->useOutlines;
  settings_.autoSize = def_->autoSize ? AutoSize::Left : AutoSize::None;
  settings_.maxChars = def_->maxLength;
  if (settings_.html)
    setHtmlText(def_->initialText);
  else
    setText(def_->initialText);
}

void TextField::changed() { ++revision_; }

void TextField::setText(std::u32string_view text) {
  text_.clear();
  text_.append(normalizeBreaks(text), newFormat_);
  anchor_ = caret_ = std::min(caret_, text_.size());
  changed();
}

std::u32string TextField::htmlText() const { return settings_.html ? toHtml(text_) : text_.chars(); }

void TextField::setHtmlText(std::u32string_view html) {
  if (!settings_.html) return setText(html);
  text_.clear();
  parseHtml(html, newFormat_, settings_.condenseWhite || !settings_.multiline, text_);
  anchor_ = caret_ = std::min(caret_, text_.size());
  changed();
}

void TextField::replaceText(size_t begin, size_t end, std::u32string_view text) {
  end = std::min(end, text_.size());
  begin = std::min(begin, end);
  Format f = begin < text_.size() ? text_.formatAt(begin) : begin > 0 ? text_.formatAt(begin - 1) : newFormat_;
  text_.replace(begin, end, normalizeBreaks(text), f);
  anchor_ = caret_ = std::min(begin + text.size(), text_.size());
  changed();
}

void TextField::setTextFormat(size_t begin, size_t end, const TextFormat& format) {
  text_.applyFormat(begin, end, format);
  changed();
}

void TextField::changeSettings(const Settings& s) {
  bool htmlChanged = s.html != settings_.html;
  settings_ = s;
  if (htmlChanged) anchor_ = caret_ = 0;
  changed();
}

const format::Rect& TextField::bounds() const { return bounds_; }

void TextField::setSize(float width, float height) {
  bounds_.xMax = bounds_.xMin + int32_t(std::max(0.0f, width));
  bounds_.yMax = bounds_.yMin + int32_t(std::max(0.0f, height));
  changed();
}

void TextField::setTextColor(render::Color color) {
  TextFormat f;
  f.color = color;
  text_.applyFormat(0, text_.size(), f);
  newFormat_.chars.color = color;
  changed();
}

const TextLayout& TextField::layout(FontLibrary& fonts) const {
  if (laidOut_ == revision_) return layout_;
  LayoutOptions options;
  options.width = float(bounds_.xMax - bounds_.xMin) - 2 * kFieldGutter;
  options.wordWrap = settings_.wordWrap;
  options.password = settings_.password;
  options.embedFonts = settings_.embedFonts;
  layout_ = layoutText(text_, fonts, options);
  applyAutoSize(layout_);
  laidOut_ = revision_;
  return layout_;
}

void TextField::applyAutoSize(const TextLayout& l) const {
  if (settings_.autoSize == AutoSize::None) return;
  int32_t height = int32_t(l.textHeight + 2 * kFieldGutter);
  bounds_.yMax = bounds_.yMin + height;
  if (settings_.wordWrap) return;
  int32_t width = int32_t(l.textWidth + 2 * kFieldGutter);
  int32_t old = bounds_.xMax - bounds_.xMin;
  if (settings_.autoSize == AutoSize::Center) bounds_.xMin += (old - width) / 2;
  if (settings_.autoSize == AutoSize::Right) bounds_.xMin += old - width;
  bounds_.xMax = bounds_.xMin + width;
}

size_t TextField::visibleLines(FontLibrary& fonts) const {
  const TextLayout& l = layout(fonts);
  float room = float(bounds_.yMax - bounds_.yMin) - 2 * kFieldGutter;
  size_t first = size_t(std::max(0, scroll_ - 1));
  size_t n = 0;
  for (size_t i = first; i < l.lines.size(); ++i) {
    if (l.lines[i].top + l.lines[i].height - l.lines[first].top > room + 0.5f && n > 0) break;
    ++n;
  }
  return std::max<size_t>(n, 1);
}

int TextField::maxScroll(FontLibrary& fonts) const {
  const TextLayout& l = layout(fonts);
  float room = float(bounds_.yMax - bounds_.yMin) - 2 * kFieldGutter;
  // The first line from which the rest of the text fits.
  size_t first = l.lines.size();
  while (first > 0) {
    const LineBox& last = l.lines.back();
    if (last.top + last.height - l.lines[first - 1].top > room + 0.5f) break;
    --first;
  }
  return int(std::min(first, l.lines.empty() ? size_t(0) : l.lines.size() - 1)) + 1;
}

int TextField::bottomScroll(FontLibrary& fonts) const { return scroll_ + int(visibleLines(fonts)) - 1; }

void TextField::setFocus(bool focused) {
  if (focused_ == focused) return;
  focused_ = focused;
  changed();
}

void TextField::setSelection(size_t begin, size_t end) {
  anchor_ = std::min(begin, text_.size());
  caret_ = std::min(end, text_.size());
  changed();
}

size_t TextField::hit(float x, float y, FontLibrary& fonts) const {
  const TextLayout& l = layout(fonts);
  float top = l.lines.empty() ? 0 : l.lines[std::min(size_t(scroll_ - 1), l.lines.size() - 1)].top;
  return l.hitTest(x - bounds_.xMin - kFieldGutter, y - bounds_.yMin - kFieldGutter + top);
}

bool TextField::pointerDown(float x, float y, FontLibrary& fonts, bool extend) {
  if (!settings_.selectable && !settings_.input) return false;
  size_t at = hit(x, y, fonts);
  if (!extend) anchor_ = at;
  caret_ = at;
  changed();
  return true;
}

void TextField::pointerDrag(float x, float y, FontLibrary& fonts) {
  if (!settings_.selectable && !settings_.input) return;
  caret_ = hit(x, y, fonts);
  changed();
}

bool TextField::typeChar(char32_t c) {
  if (!settings_.input || !focused_) return false;
  if (c == U'\r' || c == U'\n') {
    if (!settings_.multiline) return false;
    c = U'\r';
  }
  if (c < 0x20 && c != U'\r' && c != U'\t') return false;
  size_t b = selectionBegin(), e = selectionEnd();
  if (settings_.maxChars > 0 && text_.size() - (e - b) >= size_t(settings_.maxChars)) return false;
  replaceText(b, e, std::u32string(1, c));
  return true;
}

bool TextField::editKey(EditKey key, FontLibrary& fonts) {
  if (!focused_) return false;
  size_t b = selectionBegin(), e = selectionEnd();
  const TextLayout& l = layout(fonts);
  switch (key) {
    case EditKey::Backspace:
    case EditKey::Delete:
      if (!settings_.input) return false;
      if (b == e) {
        if (key == EditKey::Backspace && b == 0) return true;
        if (key == EditKey::Delete && e >= text_.size()) return true;
        key == EditKey::Backspace ? --b : ++e;
      }
      replaceText(b, e, U"");
      return true;
    case EditKey::Enter:
      return typeChar(U'\r');
    case EditKey::Left: anchor_ = caret_ = b == e ? (caret_ > 0 ? caret_ - 1 : 0) : b; break;
    case EditKey::Right: anchor_ = caret_ = b == e ? std::min(caret_ + 1, text_.size()) : e; break;
    case EditKey::Home: anchor_ = caret_ = l.lines.empty() ? 0 : l.lines[l.lineOf(caret_)].begin; break;
    case EditKey::End: anchor_ = caret_ = l.lines.empty() ? text_.size() : l.lines[l.lineOf(caret_)].end; break;
    case EditKey::Up:
    case EditKey::Down: {
      size_t line = l.lineOf(caret_);
      if (l.lines.empty() || (key == EditKey::Up && line == 0) || (key == EditKey::Down && line + 1 >= l.lines.size()))
        break;
      const LineBox& to = l.lines[key == EditKey::Up ? line - 1 : line + 1];
      anchor_ = caret_ = l.hitTest(l.caretX(caret_), to.top + to.height / 2);
      break;
    }
  }
  changed();
  revealCaret(fonts);
  return true;
}

void TextField::revealCaret(FontLibrary& fonts) {
  const TextLayout& l = layout(fonts);
  if (l.lines.empty()) return;
  int line = int(l.lineOf(caret_)) + 1;
  if (line < scroll_) scroll_ = line;
  int bottom = bottomScroll(fonts);
  if (line > bottom) scroll_ += line - bottom;
}

}  // namespace movie::text
