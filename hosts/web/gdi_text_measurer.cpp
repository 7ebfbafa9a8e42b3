#include "hosts/web/gdi_text_measurer.h"

#include <algorithm>

namespace hosts::web {

std::wstring toWide(std::u32string_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back(static_cast<wchar_t>(c));
    }
  }
  return out;
}

GdiFontCache::~GdiFontCache() {
  for (auto& e : entries_) DeleteObject(e.font);
}

HFONT GdiFontCache::font(const page::FontSpec& wanted) {
  for (auto& e : entries_)
    if (e.wanted == wanted) return e.font;
  if (entries_.size() >= kMaxFonts) {
    DeleteObject(entries_.front().font);
    entries_.erase(entries_.begin());
  }
  LOGFONTW lf{};
  lf.lfHeight = -std::clamp(wanted.pixelSize, 1, 400);
  lf.lfWeight = wanted.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = wanted.italic;
  lf.lfUnderline = wanted.underline;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  std::u16string face = page::utf8ToUtf16(wanted.family);
  size_t n = std::min<size_t>(face.size(), LF_FACESIZE - 1);
  std::copy_n(face.begin(), n, lf.lfFaceName);
  lf.lfFaceName[n] = 0;
  HFONT f = CreateFontIndirectW(&lf);
  if (!f) f = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  entries_.push_back({wanted, f});
  return f;
}

GdiTextMeasurer::GdiTextMeasurer(GdiFontCache& fonts)
    : fonts_(fonts), dc_(CreateCompatibleDC(nullptr)) {}

GdiTextMeasurer::~GdiTextMeasurer() { DeleteDC(dc_); }

int GdiTextMeasurer::width(const page::FontSpec& font, std::u32string_view text) {
  if (text.empty()) return 0;
  std::wstring w = toWide(text);
  HGDIOBJ old = SelectObject(dc_, fonts_.font(font));
  SIZE size{};
  GetTextExtentPoint32W(dc_, w.data(), static_cast<int>(w.size()), &size);
  SelectObject(dc_, old);
  return size.cx;
}

page::FontMetrics GdiTextMeasurer::metrics(const page::FontSpec& font) {
  HGDIOBJ old = SelectObject(dc_, fonts_.font(font));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc_, &tm);
  SelectObject(dc_, old);
  return {static_cast<int>(tm.tmAscent), static_cast<int>(tm.tmDescent)};
}

}  // namespace hosts::web
