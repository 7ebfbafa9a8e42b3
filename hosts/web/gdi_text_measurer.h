#pragma once
// Measures the page engine's text runs with GDI fonts, so that layout and painting agree
// on every width. Fonts are made on demand and kept in a small cache owned by the
// measurer; the painter borrows them from here.
#include <windows.h>

#include <vector>

#include "page/page.h"

namespace hosts::web {

class GdiFontCache {
 public:
  GdiFontCache() = default;
  ~GdiFontCache();
  GdiFontCache(const GdiFontCache&) = delete;
  GdiFontCache& operator=(const GdiFontCache&) = delete;

  // The font asked for, made with CreateFontIndirectW on first use. Never null: a face
  // the system lacks falls back through the font mapper (DEFAULT_CHARSET keeps CJK).
  HFONT font(const page::FontSpec& wanted);

 private:
  struct Entry {
    page::FontSpec wanted;
    HFONT font;
  };
  static constexpr size_t kMaxFonts = 32;  // pages use a handful; bounded all the same
  std::vector<Entry> entries_;
};

class GdiTextMeasurer final : public page::TextMeasurer {
 public:
  explicit GdiTextMeasurer(GdiFontCache& fonts);
  ~GdiTextMeasurer() override;
  int width(const page::FontSpec& font, std::u32string_view text) override;
  page::FontMetrics metrics(const page::FontSpec& font) override;

 private:
  GdiFontCache& fonts_;
  HDC dc_;  // a screen-compatible memory DC, only for measuring
};

// UTF-32 to the UTF-16 that the W functions take (surrogate pairs above the BMP).
std::wstring toWide(std::u32string_view text);

}  // namespace hosts::web
