#pragma once
// Font settings that controls and canvases share and that a form file stores.
#include <windows.h>

#include <functional>
#include <string>

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

}  // namespace ui
