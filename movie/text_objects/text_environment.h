#pragma once
// What the text objects of scripts reach beyond the script machine: the movie's fonts
// (for layout figures such as maxscroll and textWidth) and the keyboard focus. The
// player owns it and keeps it current; either may be null.
namespace movie::text {
class FontLibrary;
class FieldFocus;
}  // namespace movie::text

namespace movie::text_objects {

struct TextEnvironment {
  text::FontLibrary* fonts = nullptr;
  text::FieldFocus* focus = nullptr;
};

}  // namespace movie::text_objects
