#include "skin/window/xp_caption.h"

#include "skin/window/fill_direction_names.h"
#include "skin/window/icq_painters.h"
#include "skin/window/xp_window.h"
#include "ui/form.h"

namespace {

using T = TxpCaption;
using ui::prop::alwaysStored;

const std::vector<std::string> kAlignNames = {"iaLeft", "iaRight", "iaCenter", "iaStretch", "iaTile"};
const std::vector<std::string> kCornerNames = {"rcTopLeft", "rcTopRight", "rcBottomLeft", "rcBottomRight"};

ui::PropInfo CaptionImageProperty() {
  return ui::prop::resource<T>(
      "Image", [](T& c) { return c.Image().resourceName(); },
      [](T& c, const std::string& name) {
        ui::Bitmap loaded;
        if (!name.empty()) loaded.loadFromResource(name);
        c.SetImage(loaded);
      });
}

ui::PropInfo ColorProperty(const char* name, ui::TColor (T::*get)() const, void (T::*set)(ui::TColor)) {
  return alwaysStored(ui::prop::color<T, ui::TColor>(name, 0, get, set));
}

}  // namespace

const ui::ClassInfo& TxpCaption::staticClassInfo() {
  static const ui::ClassInfo info = [] {
    ui::ClassInfo c("TxpCaption", &ui::Persistent::staticClassInfo());
    c.prop(ui::prop::boolean<T>("Active", false, &T::Active, &T::SetActive))
        .prop(ui::prop::integer<T, int>("Height", 30, &T::Height, &T::SetHeight))
        .prop(ui::prop::boolean<T>("Visible", true, &T::Visible, &T::SetVisible))
        .prop(CaptionImageProperty())
        .prop(alwaysStored(
            ui::prop::enumeration<T, TgbImageAlign>("ImageAlign", kAlignNames, iaCenter, &T::ImageAlign, &T::SetImageAlign)))
        .prop(ui::prop::boolean<T>("ImageTransparent", true, &T::ImageTransparent, &T::SetImageTransparent))
        .prop(ui::prop::object<T, ui::Font>("Font", &T::Font))
        .prop(ui::prop::boolean<T>("ShowBorder", true, &T::ShowBorder, &T::SetShowBorder))
        .prop(ui::prop::integer<T, int>("BorderSize", 3, &T::BorderSize, &T::SetBorderSize))
        .prop(ColorProperty("BorderColor", &T::BorderColor, &T::SetBorderColor))
        .prop(ColorProperty("BorderInActiveColor", &T::BorderInActiveColor, &T::SetBorderInActiveColor))
        .prop(ui::prop::integer<T, int>("ButtonSize", 20, &T::ButtonSize, &T::SetButtonSize))
        .prop(ui::prop::integer<T, int>("CustomButtonCount", 0, &T::CustomButtonCount, &T::SetCustomButtonCount))
        .prop(ColorProperty("BtnBorderColor", &T::BtnBorderColor, &T::SetBtnBorderColor))
        .prop(alwaysStored(ui::prop::set<T, TRoundedCorners>("RoundedCorners", kCornerNames, 0, &T::RoundedCorners,
                                                             &T::SetRoundedCorners)))
        .prop(alwaysStored(ui::prop::integer<T, int>("RoundedCornerRadius", 0, &T::RoundedCornerRadius,
                                                     &T::SetRoundedCornerRadius)))
        .prop(ui::prop::boolean<T>("DisplayAppIcon", true, &T::DisplayAppIcon, &T::SetDisplayAppIcon))
        .prop(ui::prop::integer<T, int>("IconMarginLeft", 3, &T::IconMarginLeft, &T::SetIconMarginLeft))
        .prop(ui::prop::integer<T, int>("IconMarginTop", 2, &T::IconMarginTop, &T::SetIconMarginTop))
        .prop(alwaysStored(ui::prop::boolean<T>("GradientFill", false, &T::GradientFill, &T::SetGradientFill)))
        .prop(alwaysStored(ui::prop::enumeration<T, TFillDirection>("FillDirection", FillDirectionNames(),
                                                                    fdTopToBottom, &T::FillDirection,
                                                                    &T::SetFillDirection)))
        .prop(ColorProperty("ActiveStartColor", &T::ActiveStartColor, &T::SetActiveStartColor))
        .prop(ColorProperty("ActiveEndColor", &T::ActiveEndColor, &T::SetActiveEndColor))
        .prop(ColorProperty("InActiveStartColor", &T::InActiveStartColor, &T::SetInActiveStartColor))
        .prop(ColorProperty("InActiveEndColor", &T::InActiveEndColor, &T::SetInActiveEndColor));
    return c;
  }();
  return info;
}

TxpCaption::TxpCaption(TxpWindow& owner) : owner_(owner), height_(GetSystemMetrics(SM_CYCAPTION)) {
  if (ui::Form* form = Host()) displayAppIcon_ = (form->borderIcons() & ui::biSystemMenu) != 0;
  font_.onChange = [this] { NCPaint(); };
}

ui::Form* TxpCaption::Host() const { return owner_.HostForm(); }

void TxpCaption::ToCustom() { owner_.SetStyle(xwsCustom); }

void TxpCaption::NCPaint() {
  if (ui::Form* form = Host(); form && form->handleAllocated()) SendMessageW(form->handle(), WM_NCPAINT, 0, 0);
}

void TxpCaption::RefreshFrame() { owner_.RefreshFrame(); }

void TxpCaption::ReapplyRegion() {
  if (active_ && owner_.Active()) owner_.ApplyFrameRegion(roundedCorners_);
}

void TxpCaption::RemovePainters() {
  borderPainter_ = nullptr;
  buttonPainter_ = nullptr;
}

void TxpCaption::SetActive(bool v) {
  active_ = v;
  ApplyActivation();
  ToCustom();
}

void TxpCaption::ApplyActivation() {
  const bool v = active_;
  ui::Form* form = Host();
  if (form && form->handleAllocated()) {
    HWND wnd = form->handle();
    LONG style = GetWindowLongW(wnd, GWL_STYLE);
    if (v)
      style &= ~WS_DLGFRAME;
    else if (form->formBorderStyle() != ui::FormBorderStyle::None)
      style |= WS_DLGFRAME;
    if (owner_.Active()) {
      SetWindowLongW(wnd, GWL_STYLE, style);
      // The system works the client area out again for the new frame.
      SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
      owner_.ApplyFrameRegion(roundedCorners_);
    }
    if (!v && roundedCorners_ != 0) owner_.RemoveFrameRegion();
  }
}

void TxpCaption::SetHeight(int v) {
  if (v == height_) return;
  height_ = v;
  if (ui::Form* form = Host()) form->perform(WM_SIZE, 0, 0);
  ToCustom();
}

void TxpCaption::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  if (ui::Form* form = Host()) form->invalidate();
  ToCustom();
}

void TxpCaption::SetImage(const ui::Bitmap& bitmap) {
  image_.assign(bitmap);
  NCPaint();
  ToCustom();
}

void TxpCaption::SetImageAlign(TgbImageAlign v) {
  if (v == imageAlign_) return;
  imageAlign_ = v;
  NCPaint();
  ToCustom();
}

void TxpCaption::SetImageTransparent(bool v) {
  if (v == imageTransparent_) return;
  imageTransparent_ = v;
  ToCustom();
  RefreshFrame();
}

void TxpCaption::SetFont(const ui::Font& font) {
  font_.assign(font);  // the font's own change notification repaints the frame
  if (ui::Form* form = Host()) form->perform(WM_FONTCHANGE, 0, 0);
}

void TxpCaption::SetShowBorder(bool v) {
  if (v == showBorder_) return;
  showBorder_ = v;
  ReapplyRegion();
  ToCustom();
}

void TxpCaption::SetBorderSize(int v) {
  if (v == borderSize_) return;
  borderSize_ = v;
  ToCustom();
  RefreshFrame();
}

void TxpCaption::SetBorderColor(ui::TColor v) {
  if (v == borderColor_) return;
  borderColor_ = v;
  ToCustom();
  RefreshFrame();
}

void TxpCaption::SetBorderInActiveColor(ui::TColor v) {
  if (v == borderInActiveColor_) return;
  borderInActiveColor_ = v;
  ToCustom();
  RefreshFrame();
}

void TxpCaption::SetButtonSize(int v) {
  if (v < 10) v = 10;
  if (v == buttonSize_) return;
  buttonSize_ = v;
  ToCustom();
  RefreshFrame();
}

void TxpCaption::SetCustomButtonCount(int v) {
  if (v < 0) v = 0;
  if (v == customButtonCount_) return;
  customButtonCount_ = v;
  RefreshFrame();
}

void TxpCaption::SetBtnBorderColor(ui::TColor v) {
  if (v == btnBorderColor_) return;
  btnBorderColor_ = v;
  NCPaint();
}

void TxpCaption::SetRoundedCorners(TRoundedCorners v) {
  if (v == roundedCorners_) return;
  roundedCorners_ = v;
  ToCustom();
  ReapplyRegion();
}

void TxpCaption::SetRoundedCornerRadius(int v) {
  if (v <= 0) v = 1;
  if (v == roundedCornerRadius_) return;
  roundedCornerRadius_ = v;
  RefreshFrame();
}

void TxpCaption::SetDisplayAppIcon(bool v) {
  if (v == displayAppIcon_) return;
  displayAppIcon_ = v;
  ToCustom();
  NCPaint();
}

void TxpCaption::SetIconMarginLeft(int v) {
  if (v == iconMarginLeft_) return;
  iconMarginLeft_ = v;
  ToCustom();
  NCPaint();
}

void TxpCaption::SetIconMarginTop(int v) {
  if (v == iconMarginTop_) return;
  iconMarginTop_ = v;
  ToCustom();
  NCPaint();
}

void TxpCaption::SetGradientFill(bool v) {
  if (v == gradientFill_) return;
  gradientFill_ = v;
  NCPaint();
  ToCustom();
}

void TxpCaption::SetFillDirection(TFillDirection v) {
  if (v == fillDirection_) return;
  fillDirection_ = v;
  NCPaint();
  ToCustom();
}

void TxpCaption::SetActiveStartColor(ui::TColor v) {
  if (v == activeStartColor_) return;
  activeStartColor_ = v;
  ToCustom();
  NCPaint();
}

void TxpCaption::SetActiveEndColor(ui::TColor v) {
  if (v == activeEndColor_) return;
  activeEndColor_ = v;
  ToCustom();
  NCPaint();
}

void TxpCaption::SetInActiveStartColor(ui::TColor v) {
  if (v == inActiveStartColor_) return;
  inActiveStartColor_ = v;
  ToCustom();
}

void TxpCaption::SetInActiveEndColor(ui::TColor v) {
  if (v == inActiveEndColor_) return;
  inActiveEndColor_ = v;
  ToCustom();
}

void TxpCaption::InstallStylePainters(TxpWindowStyle style) {
  RemovePainters();
  if (style != xwsICQ) return;
  borderPainter_ = IcqBorderPainter;
  buttonPainter_ = IcqButtonPainter;
}
