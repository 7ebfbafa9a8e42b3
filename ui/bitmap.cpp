#include "ui/bitmap.h"

#include "ui/error.h"
#include "ui/resource_module.h"
#include "ui/text.h"

namespace ui {

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

}  // namespace ui
