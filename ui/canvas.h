#pragma once
// A canvas over a device context. GDI objects are made when a drawing call needs
// them and deleted when the canvas lets go of its device context.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/brush.h"
#include "ui/font.h"
#include "ui/pen.h"

namespace ui {

class Bitmap;
class Icon;

// A canvas draws on a device context with its pen, brush and font. Settings are
// plain fields; the canvas selects matching GDI objects before each drawing call.
// Texts are GBK and drawn with the wide functions.
class Canvas {
 public:
  Canvas();
  // A canvas over an existing device context (not released by the canvas).
  explicit Canvas(HDC dc);
  virtual ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC handle() const { return dc_; }
  // Attaches another device context (nullptr detaches); GDI objects are reselected.
  void setHandle(HDC dc);

  Pen pen;
  Brush brush;
  Font font;
  // The raster operation of bitmap copies (draw, stretchDraw, copyRect).
  DWORD copyMode = SRCCOPY;

  void moveTo(int x, int y);
  void lineTo(int x, int y);
  POINT penPos() const;
  void fillRect(const RECT& r);  // brush only
  void frameRect(const RECT& r);  // brush colour, 1 pixel
  void rectangle(int l, int t, int r, int b);
  void rectangle(const RECT& r) { rectangle(r.left, r.top, r.right, r.bottom); }
  void roundRect(int l, int t, int r, int b, int cx, int cy);
  void ellipse(int l, int t, int r, int b);
  void polygon(const std::vector<POINT>& points);
  void polyline(const std::vector<POINT>& points);
  void textOut(int x, int y, const std::string& gbk);
  void textRect(const RECT& r, int x, int y, const std::string& gbk);
  // DrawTextW with the given DT_* flags; r may be changed by DT_CALCRECT. Returns the height.
  int drawText(const std::string& gbk, RECT& r, UINT flags);
  SIZE textExtent(const std::string& gbk);
  int textWidth(const std::string& gbk) { return textExtent(gbk).cx; }
  int textHeight(const std::string& gbk) { return textExtent(gbk).cy; }
  // Background mode for text: transparent (true) or opaque in the brush colour.
  void setTransparentText(bool transparent);
  void draw(int x, int y, const Bitmap& bmp);
  void draw(int x, int y, const Icon& icon);
  void stretchDraw(const RECT& r, const Bitmap& bmp);
  void copyRect(const RECT& dest, Canvas& source, const RECT& src);  // SRCCOPY
  // Pixels: the colour at (x, y) as 0x00BBGGRR (CLR_INVALID outside); setPixel paints one.
  COLORREF pixel(int x, int y) const;
  void setPixel(int x, int y, TColor c);

  // Makes sure pen, brush and font are selected (for direct Win32 calls on handle()).
  void prepare();

 protected:
  void releaseObjects();

 private:
  void selectObjects(bool wantPen, bool wantBrush, bool wantFont);
  HDC dc_ = nullptr;
  HGDIOBJ oldPen_ = nullptr, oldBrush_ = nullptr, oldFont_ = nullptr;
  HPEN hpen_ = nullptr;
  HBRUSH hbrush_ = nullptr;
  HFONT hfont_ = nullptr;
  Pen curPen_;
  Brush curBrush_;
  LOGFONTW curFont_{};
  TColor curFontColor_ = clNone;
};

}  // namespace ui
