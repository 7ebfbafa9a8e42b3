#pragma once
// What the text objects of scripts reach beyond the script machine: the movie's fonts
// (for layout figures such as maxscroll and textWidth) and the keyboard focus, a text
// field's or a button's or clip's. The player owns it and keeps it current; any may be
// null.
#include <utility>
#include <vector>

namespace movie::script {
class Object;
}

namespace movie::text {
class FontLibrary;
class FieldFocus;
}  // namespace movie::text

namespace movie::timeline {
class FieldNode;
}

namespace movie::text_objects {

// The button or clip that has the keyboard; null when none has it (a text field may).
// It hears keys only while the user works with the keyboard: moving the pointer stops
// that until the focus moves again.
struct ClipFocus {
  script::Object* object = nullptr;
  bool hearsKeys = true;
  // The player-wide _focusrect: a frame is drawn around the focused button or clip.
  bool rectShown = true;
  // Selection.setFocus rolls the pointer's highlight over the button or clip it focuses
  // and off the one it leaves; they hear it (true: over) once the running scripts end.
  std::vector<std::pair<script::Object*, bool>> highlights;
};

struct TextEnvironment {
  text::FontLibrary* fonts = nullptr;
  text::FieldFocus* focus = nullptr;
  ClipFocus* clipFocus = nullptr;
};

// The fonts a field lays out its text with: those of the movie that defines it (a loaded
// or imported one's own), else the main movie's; null when there are none.
text::FontLibrary* fontsFor(const TextEnvironment& env, const timeline::FieldNode& field);

}  // namespace movie::text_objects
