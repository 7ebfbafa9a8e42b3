#pragma once
// Helpers for the page engine tests: a measurer with a fixed advance, and loading a
// page from a string.
#include <string>
#include <string_view>

#include "page/page.h"

namespace page::test {

// Every character is 8 pixels wide; every font has ascent 12 and descent 4, so a line of
// text is 16 pixels high whatever the font.
class FixedMeasurer : public TextMeasurer {
 public:
  static constexpr int kAdvance = 8, kAscent = 12, kDescent = 4;
  int width(const FontSpec&, std::u32string_view text) override { return int(text.size()) * kAdvance; }
  FontMetrics metrics(const FontSpec&) override { return {kAscent, kDescent}; }
};

inline void loadHtml(Page& p, std::string_view html, std::string_view url = "http://test.local/index.htm",
                     std::string_view contentType = "text/html; charset=utf-8") {
  p.load(url, reinterpret_cast<const uint8_t*>(html.data()), html.size(), contentType);
}

// The text items of a display list, in order, as UTF-8.
inline std::vector<DisplayItem> textItems(const DisplayList& list) {
  std::vector<DisplayItem> out;
  for (const auto& it : list)
    if (it.kind == ItemKind::Text) out.push_back(it);
  return out;
}

inline std::string utf8(const std::u32string& s) { return utf16ToUtf8(toUtf16(s)); }

// Laid out page in a view, ready to inspect.
struct LaidPage {
  Page page;
  FixedMeasurer measurer;
  DisplayList list;
  LaidPage(std::string_view html, int width = 400, int height = 300) {
    loadHtml(page, html);
    page.layout(width, height, measurer, 16);
    list = page.displayList();
  }
  // The first text item whose text is `text`.
  const DisplayItem* text(std::string_view wanted) const {
    for (const auto& it : list)
      if (it.kind == ItemKind::Text && utf8(it.text) == wanted) return &it;
    return nullptr;
  }
};

}  // namespace page::test
