// Graphics objects: font, pen and brush settings, a canvas over a device context,
// bitmaps and icons. GDI objects are made when a canvas needs them and deleted when
// the canvas lets go of its device context.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/color.h"
#include "ui/persistent.h"

namespace ui {

enum FontStyle : int { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
constexpr int DEFAULT_CHARSET_VALUE = 1;  // DEFAULT_CHARSET

// Font settings: Name (GBK face name), Height (negative: character height in pixels),
// Size (points, derived from Height at the screen's density), Color, Style, Charset.
class Font : public Persistent {
 public:
  Font();
  static const ClassInfo& staticClassInfo();
  const ClassInfo& classInfo() const override { return staticClassInfo(); }
  void assign(const Persistent& source) override;

  const std::string& name() const { return name_; }
  void setName(const std::string& n);
  int height() const { return height_; }
  void setHeight(int h);
  int size() const;  // points at the screen's pixels per inch
  void setSize(int points);
  TColor color() const { return color_; }
  void setColor(TColor c);
  int style() const { return style_; }  // FontStyle bits
  void setStyle(int s);
  int charset() const { return charset_; }
  void setCharset(int c);
  // Takes the attributes of a logical font (the menu font of the system).
  void setFromLogFont(const LOGFONTW& lf);
  LOGFONTW logFont() const;
  // A new HFONT for these attributes; the caller deletes it.
  HFONT createHandle() const;

  // Raised after every change (controls repaint, menus remeasure).
  std::function<void()> onChange;

 private:
  void changed();
  std::string name_;
  int height_;
  TColor color_;
  int style_ = 0;
  int charset_ = DEFAULT_CHARSET_VALUE;
};

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear, InsideFrame };
class Pen : public Persistent {
 public:
  TColor color = clBlack;
  int width = 1;
  PenStyle style = PenStyle::Solid;
  int mode = R2_COPYPEN;  // raster operation for lines
};

enum class BrushStyle { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };
class Brush : public Persistent {
 public:
  TColor color = clWhite;
  BrushStyle style = BrushStyle::Solid;
  HBITMAP bitmap = nullptr;  // a pattern brush when set (not owned)
};

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

// A canvas over a window's client area (GetDC) or whole window (GetWindowDC),
// released in the destructor.
class WindowCanvas : public Canvas {
 public:
  explicit WindowCanvas(HWND wnd, bool wholeWindow = false);
  ~WindowCanvas() override;

 private:
  HWND wnd_;
};

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

class Icon {
 public:
  Icon() = default;
  ~Icon();
  Icon(const Icon&) = delete;
  Icon& operator=(const Icon&) = delete;
  // Loads an ICON resource at the given size (0: the system's large icon size). Throws ui::Error.
  void loadFromResource(const std::string& resourceName, int width = 32, int height = 32);
  void assignHandle(HICON icon);
  HICON handle() const { return icon_; }
  int width() const { return w_; }
  int height() const { return h_; }
  bool empty() const { return !icon_; }

 private:
  HICON icon_ = nullptr;
  int w_ = 0, h_ = 0;
};

// The module whose resources are read (the program; tests may point it elsewhere).
HINSTANCE resourceModule();
void setResourceModule(HINSTANCE module);

}  // namespace ui
