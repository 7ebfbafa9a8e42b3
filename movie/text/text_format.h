#pragma once
// Character and paragraph formats of field text, and the partial format that scripts
// read and write (every attribute optional: absent means "mixed" when read, "leave
// as is" when applied). Sizes and margins are in pixels, as scripts see them.
#include <optional>
#include <string>
#include <vector>

#include "movie/render/render.h"

namespace movie::text {

enum class Align { Left, Right, Center, Justify };

struct CharFormat {
  std::string font = "Times New Roman";  // UTF-8
  float size = 12;
  render::Color color{0, 0, 0, 255};
  bool bold = false, italic = false, underline = false;
  std::string url, target;
  float letterSpacing = 0;
  bool kerning = false;
  bool operator==(const CharFormat& o) const;
};

struct ParaFormat {
  Align align = Align::Left;
  float leftMargin = 0, rightMargin = 0, indent = 0, blockIndent = 0, leading = 0;
  bool bullet = false;
  std::vector<float> tabStops;
  bool operator==(const ParaFormat&) const = default;
};

struct Format {
  CharFormat chars;
  ParaFormat para;
  bool operator==(const Format&) const = default;
};

struct TextFormat {
  std::optional<std::string> font, url, target;
  std::optional<float> size, leftMargin, rightMargin, indent, blockIndent, leading, letterSpacing;
  std::optional<render::Color> color;
  std::optional<bool> bold, italic, underline, bullet, kerning;
  std::optional<Align> align;
  std::optional<std::vector<float>> tabStops;

  // The attributes of one format, all present.
  static TextFormat of(const Format& f);
  // Keeps only what this and other agree on.
  void intersect(const TextFormat& other);
  // Applies the present attributes.
  void applyTo(Format& f) const;
};

}  // namespace movie::text
