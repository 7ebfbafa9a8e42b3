#pragma once
// A bitmap of the program's own, drawn through a canvas of its own.
#include <windows.h>

#include <memory>
#include <string>

#include "ui/canvas.h"
#include "ui/color.h"

namespace ui {

// A device-dependent bitmap with its own memory canvas.
class Bitmap {
 public:
  Bitmap();
  Bitmap(int width, int height);
  ~Bitmap();
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return !bmp_ || width_ <= 0; }
  // One bit per pixel.
  bool monochrome() const;
  // Resizes (contents become undefined; a fresh bitmap is white).
  void setSize(int width, int height);
  // Loads a BITMAP resource of the program (name as in the .rc file). Throws ui::Error.
  void loadFromResource(const std::string& resourceName);
  // Takes ownership of a bitmap handle.
  void assignHandle(HBITMAP bmp);
  // Becomes a copy of another bitmap: its pixels, resource name and transparency
  // settings (an empty source empties this one).
  void assign(const Bitmap& source);
  HBITMAP handle() const { return bmp_; }
  // The resource name it was loaded from ("" when made in code).
  const std::string& resourceName() const { return resName_; }
  void clear();
  // Drawing onto the bitmap (the bitmap stays selected while the canvas exists).
  Canvas& canvas();
  // Transparent drawing: the colour treated as transparent (clDefault: the bottom-left pixel).
  bool transparent = false;
  TColor transparentColor = clDefault;
  COLORREF effectiveTransparentColor();

 private:
  void releaseCanvas();
  HBITMAP bmp_ = nullptr;
  int width_ = 0, height_ = 0;
  std::string resName_;
  std::unique_ptr<Canvas> canvas_;
  HDC memDC_ = nullptr;
  HGDIOBJ oldBmp_ = nullptr;
  friend class Canvas;
};

}  // namespace ui
