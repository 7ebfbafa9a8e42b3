// Panel: a container with outer and inner bevels and a border between them.
// Aligned children share the area inside BevelOuter, BorderWidth and BevelInner.
#pragma once
#include "ui/win_control.h"

namespace ui {

enum class Bevel { None, Lowered, Raised, Space };
enum class Alignment { LeftJustify, RightJustify, Center };

class Panel : public WinControl {
 public:
  explicit Panel(Component* owner);
  static const ClassInfo& staticClassInfo();
  const ClassInfo& classInfo() const override { return staticClassInfo(); }

  Bevel bevelOuter() const { return bevelOuter_; }
  void setBevelOuter(Bevel b);
  Bevel bevelInner() const { return bevelInner_; }
  void setBevelInner(Bevel b);
  int bevelWidth() const { return bevelWidth_; }
  void setBevelWidth(int w);
  int borderWidth() const { return borderWidth_; }
  void setBorderWidth(int w);
  Alignment alignment() const { return alignment_; }
  void setAlignment(Alignment a);
  RECT alignRect() override;

 protected:
  bool ownPaint() const override { return true; }
  void paint(Canvas& canvas) override;
  void createParams(CreateParams& params) override;

 private:
  Bevel bevelOuter_ = Bevel::Raised;
  Bevel bevelInner_ = Bevel::None;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  Alignment alignment_ = Alignment::Center;
};

// Draws a 3D frame of the given width (top-left in one colour, bottom-right in the
// other) and shrinks r by it.
void frame3D(Canvas& canvas, RECT& r, TColor topLeft, TColor bottomRight, int width);

}  // namespace ui
