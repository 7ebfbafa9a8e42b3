#include "ui/graphics.h"

#include <cwchar>

#include "ui/error.h"
#include "ui/text.h"

namespace ui {
namespace {

HINSTANCE g_resourceModule = nullptr;

int screenPpi() {
  HDC dc = GetDC(nullptr);
  int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return ppi > 0 ? ppi : 96;
}

}  // namespace

HINSTANCE resourceModule() { return g_resourceModule ? g_resourceModule : GetModuleHandleW(nullptr); }
void setResourceModule(HINSTANCE module) { g_resourceModule = module; }

// ----- Font -----

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

// ----- Bitmap -----

Bitmap::Bitmap() = default;
Bitmap::Bitmap(int width, int height) { setSize(width, height); }
Bitmap::~Bitmap() { clear(); }

void Bitmap::releaseCanvas() {
  if (canvas_) canvas_->setHandle(nullptr);
  canvas_.reset();
  if (memDC_) {
    SelectObject(memDC_, oldBmp_);
    DeleteDC(memDC_);
    memDC_ = nullptr;
  }
}

void Bitmap::clear() {
  releaseCanvas();
  if (bmp_) DeleteObject(bmp_);
  bmp_ = nullptr;
  width_ = height_ = 0;
  resName_.clear();
}

void Bitmap::setSize(int width, int height) {
  if (width == width_ && height == height_ && bmp_) return;
  clear();
  if (width <= 0 || height <= 0) return;
  HDC screen = GetDC(nullptr);
  bmp_ = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  if (!bmp_) throw Error("Cannot make a bitmap");
  width_ = width;
  height_ = height;
  RECT r{0, 0, width, height};
  Canvas& c = canvas();
  c.brush.color = clWhite;
  c.brush.style = BrushStyle::Solid;
  c.fillRect(r);
}

void Bitmap::assignHandle(HBITMAP bmp) {
  clear();
  bmp_ = bmp;
  BITMAP info{};
  if (bmp && GetObjectW(bmp, sizeof info, &info)) {
    width_ = info.bmWidth;
    height_ = info.bmHeight;
  }
}

void Bitmap::assign(const Bitmap& source) {
  if (&source == this) return;
  clear();
  transparent = source.transparent;
  transparentColor = source.transparentColor;
  if (source.empty()) return;
  Bitmap& from = const_cast<Bitmap&>(source);
  HDC src = from.canvas().handle();
  HDC copyDC = CreateCompatibleDC(src);
  HBITMAP copy = source.monochrome() ? CreateBitmap(source.width_, source.height_, 1, 1, nullptr)
                                     : CreateCompatibleBitmap(src, source.width_, source.height_);
  HGDIOBJ old = SelectObject(copyDC, copy);
  BitBlt(copyDC, 0, 0, source.width_, source.height_, src, 0, 0, SRCCOPY);
  SelectObject(copyDC, old);
  DeleteDC(copyDC);
  if (!copy) throw Error("Cannot make a bitmap");
  assignHandle(copy);
  resName_ = source.resName_;
}

bool Bitmap::monochrome() const {
  BITMAP info{};
  return bmp_ && GetObjectW(bmp_, sizeof info, &info) && info.bmBitsPixel == 1 && info.bmPlanes == 1;
}

void Bitmap::loadFromResource(const std::string& resourceName) {
  HBITMAP h = static_cast<HBITMAP>(
      LoadImageW(resourceModule(), widen(resourceName).c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!h) throw Error("Bitmap resource " + resourceName + " not found");
  assignHandle(h);
  resName_ = resourceName;
}

Canvas& Bitmap::canvas() {
  if (!canvas_) {
    canvas_ = std::make_unique<Canvas>();
    memDC_ = CreateCompatibleDC(nullptr);
    oldBmp_ = bmp_ ? SelectObject(memDC_, bmp_) : nullptr;
    canvas_->setHandle(memDC_);
  }
  return *canvas_;
}

COLORREF Bitmap::effectiveTransparentColor() {
  if (transparentColor != clDefault) return colorToRGB(transparentColor);
  if (empty()) return RGB(255, 255, 255);
  return canvas().pixel(0, height_ - 1);
}

// ----- Icon -----

Icon::~Icon() {
  if (icon_) DestroyIcon(icon_);
}

void Icon::assignHandle(HICON icon) {
  if (icon_) DestroyIcon(icon_);
  icon_ = icon;
  w_ = h_ = 0;
  ICONINFO ii{};
  if (icon && GetIconInfo(icon, &ii)) {
    BITMAP b{};
    if (ii.hbmColor && GetObjectW(ii.hbmColor, sizeof b, &b)) {
      w_ = b.bmWidth;
      h_ = b.bmHeight;
    } else if (ii.hbmMask && GetObjectW(ii.hbmMask, sizeof b, &b)) {
      w_ = b.bmWidth;
      h_ = b.bmHeight / 2;
    }
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
    if (ii.hbmMask) DeleteObject(ii.hbmMask);
  }
}

void Icon::loadFromResource(const std::string& resourceName, int width, int height) {
  HICON h = static_cast<HICON>(LoadImageW(resourceModule(), widen(resourceName).c_str(), IMAGE_ICON, width,
                                          height, width ? 0 : LR_DEFAULTSIZE));
  if (!h) throw Error("Icon resource " + resourceName + " not found");
  assignHandle(h);
}

}  // namespace ui
