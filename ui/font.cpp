#include "ui/font.h"

#include <cwchar>

#include "ui/text.h"

namespace ui {
namespace {

int screenPpi() {
  HDC dc = GetDC(nullptr);
  int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return ppi > 0 ? ppi : 96;
}

}  // namespace

Font::Font() : name_("MS Sans Serif"), height_(-11), color_(clWindowText) {}

const ClassInfo& Font::staticClassInfo() {
  static const ClassInfo info =
      ClassInfo("TFont", &Persistent::staticClassInfo())
          .prop(prop::integer<Font, int>("Charset", DEFAULT_CHARSET_VALUE, &Font::charset, &Font::setCharset))
          .prop(prop::color<Font, TColor>("Color", clWindowText, &Font::color, &Font::setColor))
          .prop(prop::integer<Font, int>("Height", -11, &Font::height, &Font::setHeight))
          .prop(prop::string<Font>("Name", "MS Sans Serif", &Font::name, &Font::setName))
          .prop(prop::set<Font, int>("Style", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, 0,
                                      &Font::style, &Font::setStyle));
  return info;
}

void Font::assign(const Persistent& source) {
  const Font* f = dynamic_cast<const Font*>(&source);
  if (!f) return Persistent::assign(source);
  name_ = f->name_;
  height_ = f->height_;
  color_ = f->color_;
  style_ = f->style_;
  charset_ = f->charset_;
  changed();
}

void Font::changed() {
  if (onChange) onChange();
}

void Font::setName(const std::string& n) {
  if (n == name_) return;
  name_ = n;
  changed();
}
void Font::setHeight(int h) {
  if (h == height_) return;
  height_ = h;
  changed();
}
int Font::size() const { return -MulDiv(height_, 72, screenPpi()); }
void Font::setSize(int points) { setHeight(-MulDiv(points, screenPpi(), 72)); }
void Font::setColor(TColor c) {
  if (c == color_) return;
  color_ = c;
  changed();
}
void Font::setStyle(int s) {
  if (s == style_) return;
  style_ = s;
  changed();
}
void Font::setCharset(int c) {
  if (c == charset_) return;
  charset_ = c;
  changed();
}

void Font::setFromLogFont(const LOGFONTW& lf) {
  name_ = narrow(lf.lfFaceName);
  height_ = lf.lfHeight;
  style_ = (lf.lfWeight >= FW_BOLD ? fsBold : 0) | (lf.lfItalic ? fsItalic : 0) |
           (lf.lfUnderline ? fsUnderline : 0) | (lf.lfStrikeOut ? fsStrikeOut : 0);
  charset_ = lf.lfCharSet;
  changed();
}

LOGFONTW Font::logFont() const {
  LOGFONTW lf{};
  lf.lfHeight = height_;
  lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
  lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
  lf.lfCharSet = static_cast<BYTE>(charset_);
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  std::wstring face = widen(name_);
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return lf;
}

HFONT Font::createHandle() const {
  LOGFONTW lf = logFont();
  return CreateFontIndirectW(&lf);
}

}  // namespace ui
