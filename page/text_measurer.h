#pragma once
#include <string>
#include <string_view>

namespace page {

// Text measuring. The host implements this with its fonts (GDI on Windows); the tests use
// a fake with a fixed advance. Text is UTF-32 so one unit is one character.
struct FontSpec {
  std::string family = "SimSun";  // first family of the page's font list, UTF-8
  int pixelSize = 12;             // character height in pixels (GDI: lfHeight = -pixelSize)
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool operator==(const FontSpec&) const = default;
};

struct FontMetrics {
  int ascent = 0;   // pixels above the baseline
  int descent = 0;  // pixels below the baseline
};

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // Advance width in pixels of a run drawn in one piece.
  virtual int width(const FontSpec& font, std::u32string_view text) = 0;
  virtual FontMetrics metrics(const FontSpec& font) = 0;
  // Convenience for UTF-8 runs (decoded, then measured as UTF-32).
  int widthUtf8(const FontSpec& font, std::string_view utf8);
};

}  // namespace page
