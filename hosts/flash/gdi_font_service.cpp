#include "hosts/flash/gdi_font_service.h"

#include <vector>

#include "ui/text.h"

namespace hosts::flash {
namespace {

using movie::text::kDeviceUnitsPerEm;

// The faces the generic names stand for, and the face that has Chinese characters.
std::wstring faceName(const std::string& name) {
  if (name == "_sans") return L"Arial";
  if (name == "_serif") return L"Times New Roman";
  if (name == "_typewriter") return L"Courier New";
  return name.empty() ? std::wstring(L"Times New Roman") : ui::fromUtf8(name);
}
constexpr const wchar_t* kChineseFace = L"SimSun";

float fixedValue(FIXED f) { return float(f.value) + float(f.fract) / 65536.0f; }

struct OutlineReader {
  movie::render::Path& path;
  float x(const POINTFX& p) const { return fixedValue(p.x); }
  float y(const POINTFX& p) const { return -fixedValue(p.y); }  // GDI's y grows upwards

  // TT_PRIM_QSPLINE: control points with implied on-curve midpoints, the last on the curve.
  void qspline(const POINTFX* pts, int count) {
    for (int i = 0; i + 1 < count; ++i) {
      float cx = x(pts[i]), cy = y(pts[i]);
      bool last = i + 2 == count;
      float ex = last ? x(pts[i + 1]) : (cx + x(pts[i + 1])) / 2;
      float ey = last ? y(pts[i + 1]) : (cy + y(pts[i + 1])) / 2;
      path.quadTo(cx, cy, ex, ey);
    }
  }

  void read(const uint8_t* data, DWORD size) {
    const uint8_t* end = data + size;
    while (data + sizeof(TTPOLYGONHEADER) <= end) {
      auto* header = reinterpret_cast<const TTPOLYGONHEADER*>(data);
      if (header->cb < sizeof(TTPOLYGONHEADER) || data + header->cb > end) return;
      path.moveTo(x(header->pfxStart), y(header->pfxStart));
      const uint8_t* curve = data + sizeof(TTPOLYGONHEADER);
      const uint8_t* polygonEnd = data + header->cb;
      while (curve + sizeof(TTPOLYCURVE) <= polygonEnd) {
        auto* c = reinterpret_cast<const TTPOLYCURVE*>(curve);
        size_t bytes = sizeof(TTPOLYCURVE) + (c->cpfx > 0 ? (c->cpfx - 1) * sizeof(POINTFX) : 0);
        if (curve + bytes > polygonEnd) return;
        if (c->wType == TT_PRIM_QSPLINE) {
          qspline(c->apfx, c->cpfx);
        } else {
          for (int i = 0; i < c->cpfx; ++i) path.lineTo(x(c->apfx[i]), y(c->apfx[i]));
        }
        curve += bytes;
      }
      path.lineTo(x(header->pfxStart), y(header->pfxStart));
      data = polygonEnd;
    }
  }
};

}  // namespace

GdiFontService::GdiFontService() : dc_(CreateCompatibleDC(nullptr)) {}

GdiFontService::~GdiFontService() {
  for (auto& [name, f] : fonts_) DeleteObject(f);
  if (dc_) DeleteDC(dc_);
}

HFONT GdiFontService::font(const std::wstring& name, bool bold, bool italic) {
  std::wstring key = name + (bold ? L"|b" : L"|") + (italic ? L"i" : L"");
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  LOGFONTW lf{};
  lf.lfHeight = -LONG(kDeviceUnitsPerEm);  // the em square is 1024 units
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = italic;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  lf.lfQuality = ANTIALIASED_QUALITY;
  wcsncpy(lf.lfFaceName, name.c_str(), LF_FACESIZE - 1);
  HFONT f = CreateFontIndirectW(&lf);
  return fonts_.emplace(key, f).first->second;
}

bool GdiFontService::outline(HFONT f, wchar_t code, movie::text::DeviceGlyph& out) {
  if (!f || !dc_) return false;
  HGDIOBJ old = SelectObject(dc_, f);
  WORD index = 0xFFFF;
  bool present = GetGlyphIndicesW(dc_, &code, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 && index != 0xFFFF;
  bool ok = false;
  if (present) {
    MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    GLYPHMETRICS gm{};
    DWORD size = GetGlyphOutlineW(dc_, code, GGO_NATIVE | GGO_UNHINTED, &gm, 0, nullptr, &identity);
    if (size != GDI_ERROR) {
      std::vector<uint8_t> buffer(size);
      if (size == 0 || GetGlyphOutlineW(dc_, code, GGO_NATIVE | GGO_UNHINTED, &gm, size, buffer.data(), &identity) != GDI_ERROR) {
        OutlineReader{out.path}.read(buffer.data(), size);
        out.advance = float(gm.gmCellIncX);
        ok = true;
      }
    }
  }
  SelectObject(dc_, old);
  return ok;
}

bool GdiFontService::glyph(const movie::text::FaceRequest& face, char32_t code, movie::text::DeviceGlyph& out) {
  if (code > 0xFFFF) return false;  // outside the basic plane: GDI's glyph calls take one UTF-16 unit
  if (outline(font(faceName(face.name), face.bold, face.italic), wchar_t(code), out)) return true;
  out = movie::text::DeviceGlyph{};
  return outline(font(kChineseFace, face.bold, face.italic), wchar_t(code), out);
}

movie::text::DeviceMetrics GdiFontService::metrics(const movie::text::FaceRequest& face) {
  movie::text::DeviceMetrics m;
  HFONT f = font(faceName(face.name), face.bold, face.italic);
  if (!f || !dc_) return m;
  HGDIOBJ old = SelectObject(dc_, f);
  TEXTMETRICW tm{};
  if (GetTextMetricsW(dc_, &tm)) {
    m.ascent = float(tm.tmAscent);
    m.descent = float(tm.tmDescent);
    m.leading = float(tm.tmExternalLeading);
  }
  SelectObject(dc_, old);
  return m;
}

}  // namespace hosts::flash
