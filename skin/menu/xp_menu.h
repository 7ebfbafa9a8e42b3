// TXPMenu: the menu skin, a non-visual component dropped on a form (its OwnerForm).
// Active, it makes the form's main and pop-up menus owner-drawn with its own measure
// and draw handlers, and gives some of the form's controls a flat look through one
// TControlSubClass record each. Its colours come from the EffectivePalette, computed
// from its settings, the system colours and the colour depth. The process-wide
// TXPMenuManager spreads the control theming of one skin to forms without a skin.
#pragma once
#include <windows.h>

#include "skin/menu/control_kinds.h"
#include "skin/menu/effective_palette.h"
#include "ui/form.h"
#include "ui/graphics.h"
#include "ui/menu.h"

class TControlSubClass;

class TXPMenu : public ui::Component {
 public:
  // Throws ui::Error when the owner is not a form.
  explicit TXPMenu(ui::Component* owner);
  ~TXPMenu() override;
  static const ui::ClassInfo& staticClassInfo();
  const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

  // ----- published settings, in their stored order -----
  int DimLevel() const { return dimLevel_; }
  void SetDimLevel(int v) { dimLevel_ = static_cast<std::uint8_t>(v); }
  int GrayLevel() const { return grayLevel_; }
  void SetGrayLevel(int v) { grayLevel_ = static_cast<std::uint8_t>(v); }
  ui::Font& Font() { return font_; }
  void SetFont(const ui::Font& f);
  ui::TColor Color() const { return color_; }
  void SetColor(ui::TColor c) { SetPaletteColor(color_, c); }
  bool DrawMenuBar() const { return drawMenuBar_; }
  void SetDrawMenuBar(bool v) { drawMenuBar_ = v; }
  ui::TColor IconBackColor() const { return iconBackColor_; }
  void SetIconBackColor(ui::TColor c) { SetPaletteColor(iconBackColor_, c); }
  ui::TColor MenuBarColor() const { return menuBarColor_; }
  void SetMenuBarColor(ui::TColor c);
  ui::TColor SelectColor() const { return selectColor_; }
  void SetSelectColor(ui::TColor c) { SetPaletteColor(selectColor_, c); }
  ui::TColor SelectBorderColor() const { return selectBorderColor_; }
  void SetSelectBorderColor(ui::TColor c) { SetPaletteColor(selectBorderColor_, c); }
  ui::TColor SelectFontColor() const { return selectFontColor_; }
  void SetSelectFontColor(ui::TColor c) { SetPaletteColor(selectFontColor_, c); }
  ui::TColor DisabledColor() const { return disabledColor_; }
  void SetDisabledColor(ui::TColor c) { SetPaletteColor(disabledColor_, c); }
  ui::TColor SeparatorColor() const { return separatorColor_; }
  void SetSeparatorColor(ui::TColor c) { SetPaletteColor(separatorColor_, c); }
  ui::TColor CheckedColor() const { return checkedColor_; }
  void SetCheckedColor(ui::TColor c) { SetPaletteColor(checkedColor_, c); }
  int IconWidth() const { return iconWidth_; }
  void SetIconWidth(int v) { iconWidth_ = v; }
  bool DrawSelect() const { return drawSelect_; }
  void SetDrawSelect(bool v) { drawSelect_ = v; }
  bool UseSystemColors() const { return useSystemColors_; }
  void SetUseSystemColors(bool v);
  bool UseDimColor() const { return useDimColor_; }
  void SetUseDimColor(bool v) { useDimColor_ = v; }
  bool OverrideOwnerDraw() const { return overrideOwnerDraw_; }
  void SetOverrideOwnerDraw(bool v);
  bool Gradient() const { return gradient_; }
  void SetGradient(bool v) { gradient_ = v; }
  bool FlatMenu() const { return flatMenu_; }
  void SetFlatMenu(bool v) { flatMenu_ = v; }
  bool AutoDetect() const { return autoDetect_; }
  void SetAutoDetect(bool v) { autoDetect_ = v; }
  xpmenu::TXPContainers XPContainers() const { return xpContainers_; }
  void SetXPContainers(xpmenu::TXPContainers v);
  xpmenu::TXPControls XPControls() const { return xpControls_; }
  void SetXPControls(xpmenu::TXPControls v);
  bool Active() const { return active_; }
  void SetActive(bool v);
  bool DisableSubclassing() const { return disableSubclassing_; }
  void SetDisableSubclassing(bool v);

  // ----- state -----
  ui::Form* OwnerForm() const { return ownerForm_; }
  const xpmenu::EffectivePalette& EffectivePalette() const { return palette_; }
  bool PaletteDirty() const { return paletteDirty_; }
  bool HighColor() const { return highColor_; }
  bool IsNT() const { return isNT_; }
  bool IsWinXP() const { return isWinXP_; }
  static constexpr ui::TColor TransparentKey = 0x00FF00FF;
  bool FramePainting = false;

  // Recomputes the EffectivePalette for the device of dc.
  void UpdatePalette(HDC dc);

  // ----- colour helpers: the colour is resolved first, the result is literal -----
  static xpmenu::Rgb Resolve(ui::TColor c);
  static xpmenu::Rgb LightenColor(ui::TColor c, int percent);
  static xpmenu::Rgb DarkenMenuColor(ui::TColor c, int amount);
  static xpmenu::Rgb GreyColor(ui::TColor c, int amount);
  xpmenu::Rgb ContrastTextColor(ui::TColor c) const;
  // Recolours every pixel (a run of equal pixels is converted once).
  static void LightenBitmap(ui::Bitmap& bitmap, int percent);
  static void GreyBitmap(ui::Bitmap& bitmap, int amount);

  // ----- attachment -----
  void ApplyToForm(ui::Component* form, bool enable, bool repaint);
  void ApplyToComponent(ui::Component* c, bool enable, bool repaint);
  void HookMenuItem(ui::MenuItem* item, bool enable);
  // The records of the controls this skin themes, in ownership order.
  std::vector<TControlSubClass*> Records() const;
  // The record of a control, or null.
  TControlSubClass* RecordOf(const ui::WinControl* control) const;

  // A top-level item of a main menu.
  static bool IsBarItem(const ui::MenuItem* item);
  // The size of an item's image (image-list image or own bitmap); pop-up items take at
  // least IconWidth. menu: the main menu for a bar item, else null.
  SIZE ItemImageSize(ui::MenuItem* item, ui::Menu* menu) const;

  // The item handlers (measuring and painting); they do nothing while inactive.
  void MeasureMenuItem(ui::MenuItem* item, ui::Canvas& canvas, int& width, int& height);
  void DrawMenuItem(ui::MenuItem* item, ui::Canvas& canvas, RECT rect, bool selected);
  // The flat frame of a pop-up menu window (FlatMenu): asked for after a pop-up item
  // was painted on dc, painted later from the manager's hook.
  void ScheduleFlatFrame(ui::MenuItem* item, HDC dc);
  void DrawFlatFrame(HWND window, bool rightToLeft);

  void loaded() override;
  void notification(ui::Component* c, ui::Operation op) override;

 private:
  void SetPaletteColor(ui::TColor& field, ui::TColor value);
  void RedrawMenuBar();
  void HookMenu(ui::Menu& menu, bool enable);
  void ThemeControl(ui::WinControl& control, bool enable, bool repaint);
  // Removes the skin from the form's components and applies it again around change.
  template <class F>
  void Reapply(F change);

  ui::Form* ownerForm_ = nullptr;
  std::uint8_t dimLevel_ = 30, grayLevel_ = 10;
  ui::Font font_;
  ui::TColor color_ = ui::clBtnFace, iconBackColor_ = ui::clBtnFace, menuBarColor_ = ui::clBtnFace,
             selectColor_ = ui::clHighlight, selectBorderColor_ = ui::clHighlight, selectFontColor_ = 0,
             disabledColor_ = ui::clInactiveCaption, separatorColor_ = ui::clBtnFace,
             checkedColor_ = ui::clHighlight;
  int iconWidth_ = 24;
  bool drawMenuBar_ = false, drawSelect_ = true, useSystemColors_ = true, useDimColor_ = false,
       overrideOwnerDraw_ = false, gradient_ = false, flatMenu_ = false, autoDetect_ = false;
  xpmenu::TXPContainers xpContainers_ = xpmenu::kAllContainers;
  xpmenu::TXPControls xpControls_ = xpmenu::kAllControls;
  bool active_ = false, disableSubclassing_ = false;
  xpmenu::EffectivePalette palette_;
  bool paletteDirty_ = false, highColor_ = true, isNT_ = false, isWinXP_ = false;
};
