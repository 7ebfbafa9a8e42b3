#include "skin/menu/xp_menu.h"

#include <algorithm>

#include "skin/menu/control_subclass.h"
#include "skin/menu/menu_manager.h"
#include "ui/application.h"
#include "ui/color.h"
#include "ui/main_menu.h"
#include "ui/popup_menu.h"

namespace {

using ui::prop::alwaysStored;

const std::vector<std::string> kContainerNames = {"xccForm",     "xccFrame",     "xccToolbar",  "xccCoolbar",
                                                  "xccControlbar", "xccPanel",   "xccScrollBox", "xccGroupBox",
                                                  "xccTabSheet", "xccPageScroller"};
const std::vector<std::string> kControlNames = {
    "xcMainMenu", "xcPopupMenu", "xcToolbar",    "xcControlbar",  "xcCombo",     "xcListBox",   "xcEdit",
    "xcMaskEdit", "xcMemo",      "xcRichEdit",   "xcMiscEdit",    "xcCheckBox",  "xcRadioButton", "xcButton",
    "xcBitBtn",   "xcSpeedButton", "xcUpDown",   "xcPanel",       "xcGroupBox",  "xcTreeView",  "xcListView",
    "xcProgressBar", "xcHotKey"};

template <class G, class S>
ui::PropInfo color(const char* name, G get, S set) {
  return alwaysStored(ui::prop::color<TXPMenu, ui::TColor>(name, 0, get, set));
}
template <class G, class S>
ui::PropInfo flag(const char* name, G get, S set) {
  return alwaysStored(ui::prop::boolean<TXPMenu>(name, false, get, set));
}

// The system version, read once (GetVersionExA with the 148-byte record).
OSVERSIONINFOA systemVersion() {
  OSVERSIONINFOA v{};
  v.dwOSVersionInfoSize = sizeof v;
  GetVersionExA(&v);
  return v;
}

}  // namespace

const ui::ClassInfo& TXPMenu::staticClassInfo() {
  static const ui::ClassInfo info =
      ui::ClassInfo("TXPMenu", &ui::Component::staticClassInfo(), ui::makeComponent<TXPMenu>)
          .prop(alwaysStored(ui::prop::integer<TXPMenu, int>("DimLevel", 0, &TXPMenu::DimLevel, &TXPMenu::SetDimLevel)))
          .prop(alwaysStored(ui::prop::integer<TXPMenu, int>("GrayLevel", 0, &TXPMenu::GrayLevel, &TXPMenu::SetGrayLevel)))
          .prop(ui::prop::object<TXPMenu, ui::Font>("Font", &TXPMenu::Font))
          .prop(color("Color", &TXPMenu::Color, &TXPMenu::SetColor))
          .prop(flag("DrawMenuBar", &TXPMenu::DrawMenuBar, &TXPMenu::SetDrawMenuBar))
          .prop(color("IconBackColor", &TXPMenu::IconBackColor, &TXPMenu::SetIconBackColor))
          .prop(color("MenuBarColor", &TXPMenu::MenuBarColor, &TXPMenu::SetMenuBarColor))
          .prop(color("SelectColor", &TXPMenu::SelectColor, &TXPMenu::SetSelectColor))
          .prop(color("SelectBorderColor", &TXPMenu::SelectBorderColor, &TXPMenu::SetSelectBorderColor))
          .prop(color("SelectFontColor", &TXPMenu::SelectFontColor, &TXPMenu::SetSelectFontColor))
          .prop(color("DisabledColor", &TXPMenu::DisabledColor, &TXPMenu::SetDisabledColor))
          .prop(color("SeparatorColor", &TXPMenu::SeparatorColor, &TXPMenu::SetSeparatorColor))
          .prop(color("CheckedColor", &TXPMenu::CheckedColor, &TXPMenu::SetCheckedColor))
          .prop(alwaysStored(ui::prop::integer<TXPMenu, int>("IconWidth", 0, &TXPMenu::IconWidth, &TXPMenu::SetIconWidth)))
          .prop(flag("DrawSelect", &TXPMenu::DrawSelect, &TXPMenu::SetDrawSelect))
          .prop(flag("UseSystemColors", &TXPMenu::UseSystemColors, &TXPMenu::SetUseSystemColors))
          .prop(flag("UseDimColor", &TXPMenu::UseDimColor, &TXPMenu::SetUseDimColor))
          .prop(flag("OverrideOwnerDraw", &TXPMenu::OverrideOwnerDraw, &TXPMenu::SetOverrideOwnerDraw))
          .prop(flag("Gradient", &TXPMenu::Gradient, &TXPMenu::SetGradient))
          .prop(flag("FlatMenu", &TXPMenu::FlatMenu, &TXPMenu::SetFlatMenu))
          .prop(flag("AutoDetect", &TXPMenu::AutoDetect, &TXPMenu::SetAutoDetect))
          .prop(ui::prop::set<TXPMenu, xpmenu::TXPContainers>("XPContainers", kContainerNames, xpmenu::kAllContainers,
                                                              &TXPMenu::XPContainers, &TXPMenu::SetXPContainers))
          .prop(ui::prop::set<TXPMenu, xpmenu::TXPControls>("XPControls", kControlNames, xpmenu::kAllControls,
                                                            &TXPMenu::XPControls, &TXPMenu::SetXPControls))
          .prop(flag("Active", &TXPMenu::Active, &TXPMenu::SetActive))
          .prop(ui::prop::boolean<TXPMenu>("DisableSubclassing", false, &TXPMenu::DisableSubclassing,
                                           &TXPMenu::SetDisableSubclassing));
  return info;
}

TXPMenu::TXPMenu(ui::Component* owner) : ui::Component(owner) {
  if (owner) {
    ownerForm_ = dynamic_cast<ui::Form*>(owner);
    if (!ownerForm_) throw ui::Error("Invalid class typecast");
  }
  font_.setFromLogFont(ui::screen().menuFont());
  selectFontColor_ = font_.color();
  if (ownerForm_ && ownerForm_->handleAllocated()) {
    UpdatePalette(ownerForm_->canvas().handle());
  } else {
    HDC dc = GetDC(nullptr);
    UpdatePalette(dc);
    ReleaseDC(nullptr, dc);
  }
  OSVERSIONINFOA v = systemVersion();
  isNT_ = v.dwPlatformId == VER_PLATFORM_WIN32_NT;
  isWinXP_ = isNT_ && v.dwMajorVersion == 5 && v.dwMinorVersion == 1;
  TXPMenuManager::Ensure();
}

TXPMenu::~TXPMenu() {
  if (ownerForm_) ApplyToForm(ownerForm_, false, false);
  if (TXPMenuManager* m = TXPMenuManager::Instance()) {
    m->RemoveSkin(this);
    if (ownerForm_ && ownerForm_->handleAllocated()) UpdateWindow(ownerForm_->handle());
    if (m->Skins().empty()) TXPMenuManager::Release();
  }
}

// ----- settings -----

void TXPMenu::SetFont(const ui::Font& f) {
  font_.assign(f);
  RedrawMenuBar();
}

void TXPMenu::SetPaletteColor(ui::TColor& field, ui::TColor value) {
  field = value;
  paletteDirty_ = true;
}

void TXPMenu::SetMenuBarColor(ui::TColor c) {
  SetPaletteColor(menuBarColor_, c);
  RedrawMenuBar();
}

void TXPMenu::SetUseSystemColors(bool v) {
  useSystemColors_ = v;  // seen at the next palette recomputation
  RedrawMenuBar();
}

void TXPMenu::SetOverrideOwnerDraw(bool v) {
  overrideOwnerDraw_ = v;
  if (active_ && ownerForm_) ApplyToForm(ownerForm_, true, true);
}

template <class F>
void TXPMenu::Reapply(F change) {
  active_ = false;
  if (ownerForm_) ApplyToForm(ownerForm_, false, true);
  active_ = true;
  change();
  if (ownerForm_) ApplyToForm(ownerForm_, true, true);
}

void TXPMenu::SetXPContainers(xpmenu::TXPContainers v) {
  if (active_ && v != xpContainers_)
    Reapply([&] { xpContainers_ = v; });
  else
    xpContainers_ = v;
}

void TXPMenu::SetXPControls(xpmenu::TXPControls v) {
  if (active_ && v != xpControls_)
    Reapply([&] { xpControls_ = v; });
  else
    xpControls_ = v;
}

void TXPMenu::SetActive(bool v) {
  if (v == active_) return;
  active_ = v;
  if (ownerForm_) ApplyToForm(ownerForm_, v, true);
  RedrawMenuBar();
}

// The subclassing role follows the setting: a skin that gives it up hands it over; one
// that takes it up again gets it when nobody has it.
void TXPMenu::SetDisableSubclassing(bool v) {
  if (v == disableSubclassing_) return;
  disableSubclassing_ = v;
  TXPMenuManager* m = TXPMenuManager::Instance();
  if (!m || loading()) return;
  if (v && m->SubclassingSkin() == this)
    m->HandOver(this);
  else if (!v && !m->SubclassingSkin() && std::find(m->Skins().begin(), m->Skins().end(), this) != m->Skins().end())
    m->HandOver(nullptr);
}

// While the form description is read, a form without a window yet is not given one
// just to redraw its menu bar: the window is made when the form is complete.
void TXPMenu::RedrawMenuBar() {
  if (!ownerForm_ || (loading() && !ownerForm_->handleAllocated())) return;
  ::DrawMenuBar(ownerForm_->handle());
}

// ----- palette and colours -----

xpmenu::Rgb TXPMenu::Resolve(ui::TColor c) { return ui::colorToRGB(c); }
xpmenu::Rgb TXPMenu::LightenColor(ui::TColor c, int percent) { return xpmenu::LightenColor(Resolve(c), percent); }
xpmenu::Rgb TXPMenu::DarkenMenuColor(ui::TColor c, int amount) { return xpmenu::DarkenMenuColor(Resolve(c), amount); }
xpmenu::Rgb TXPMenu::GreyColor(ui::TColor c, int amount) { return xpmenu::GreyColor(Resolve(c), amount); }
xpmenu::Rgb TXPMenu::ContrastTextColor(ui::TColor c) const {
  return xpmenu::ContrastTextColor(Resolve(c), Resolve(font_.color()));
}

void TXPMenu::UpdatePalette(HDC dc) {
  paletteDirty_ = false;
  highColor_ = GetDeviceCaps(dc, BITSPIXEL) >= 16;
  xpmenu::PaletteInputs in;
  in.Color = Resolve(color_);
  in.IconBackColor = Resolve(iconBackColor_);
  in.SelectColor = Resolve(selectColor_);
  in.SelectBorderColor = Resolve(selectBorderColor_);
  in.SelectFontColor = Resolve(selectFontColor_);
  in.MenuBarColor = Resolve(menuBarColor_);
  in.DisabledColor = Resolve(disabledColor_);
  in.SeparatorColor = Resolve(separatorColor_);
  in.CheckedColor = Resolve(checkedColor_);
  in.FontColor = Resolve(font_.color());
  in.UseDimColor = useDimColor_;
  in.UseSystemColors = useSystemColors_;
  in.BtnFace = Resolve(ui::clBtnFace);
  in.BtnShadow = Resolve(ui::clBtnShadow);
  in.Highlight = Resolve(ui::clHighlight);
  in.HighColor = highColor_;
  palette_ = xpmenu::ComputePalette(in);
}

namespace {

void recolor(ui::Bitmap& bitmap, xpmenu::RunConverter convert) {
  ui::Canvas& c = bitmap.canvas();
  for (int y = 0; y < bitmap.height(); ++y)
    for (int x = 0; x < bitmap.width(); ++x)
      c.setPixel(x, y, static_cast<ui::TColor>(convert(c.pixel(x, y))));
}

}  // namespace

void TXPMenu::LightenBitmap(ui::Bitmap& bitmap, int percent) {
  recolor(bitmap, xpmenu::RunConverter(&xpmenu::LightenColor, std::min(percent, 100)));
}

void TXPMenu::GreyBitmap(ui::Bitmap& bitmap, int amount) {
  recolor(bitmap, xpmenu::RunConverter(&xpmenu::GreyColor, amount));
}

// ----- attachment -----

void TXPMenu::ApplyToForm(ui::Component* form, bool enable, bool repaint) {
  for (ui::Component* c : std::vector<ui::Component*>(form->components())) ApplyToComponent(c, enable, repaint);
}

void TXPMenu::HookMenu(ui::Menu& menu, bool enable) {
  ui::MenuItem& root = menu.items();
  for (ui::MenuItem* item : std::vector<ui::MenuItem*>(root.items())) {
    menu.setOwnerDraw(enable);
    HookMenuItem(item, enable);
  }
}

void TXPMenu::ApplyToComponent(ui::Component* c, bool enable, bool repaint) {
  using namespace xpmenu;
  if (auto* mm = dynamic_cast<ui::MainMenu*>(c)) {
    if (Has(xpControls_, xcMainMenu) && mm->tag() != 999) {
      HookMenu(*mm, enable);
      if (mm->items().count() > 0) {  // Windows measures and paints the bar anew
        ui::MenuItem* first = mm->items().item(0);
        std::string caption = first->caption();
        first->setCaption("");
        first->setCaption(caption);
      }
    }
  } else if (auto* pm = dynamic_cast<ui::PopupMenu*>(c)) {
    if (Has(xpControls_, xcPopupMenu)) HookMenu(*pm, enable);
  } else if (auto* w = dynamic_cast<ui::WinControl*>(c); w && w->parent()) {
    if (IsThemedKind(*w, xpControls_) && IsThemedContainer(*w->parent(), xpContainers_))
      ThemeControl(*w, enable, repaint);
  }
  if (dynamic_cast<ui::Form*>(c) || (c && IsNamed(*c, "TDBNavigator"))) ApplyToForm(c, enable, repaint);
}

void TXPMenu::ThemeControl(ui::WinControl& control, bool enable, bool repaint) {
  if (enable && control.tag() != 999 && control.parent()->tag() != 999 && !RecordOf(&control))
    new TControlSubClass(this, &control);
  if (repaint) control.repaint();
}

void TXPMenu::HookMenuItem(ui::MenuItem* item, bool enable) {
  if (enable) {
    if (item->tag() != 999) {
      if (!item->onDrawItem || overrideOwnerDraw_)
        item->onDrawItem = ui::MenuDrawEvent(
            [this](ui::MenuItem* i, ui::Canvas& c, RECT r, bool s) { DrawMenuItem(i, c, r, s); }, "DrawMenuItem",
            this);
      if (!item->onMeasureItem || overrideOwnerDraw_)
        item->onMeasureItem = ui::MenuMeasureEvent(
            [this](ui::MenuItem* i, ui::Canvas& c, int& w, int& h) { MeasureMenuItem(i, c, w, h); },
            "MeasureMenuItem", this);
    }
  } else {
    if (item->onDrawItem.isHandler(this, "DrawMenuItem")) item->onDrawItem.clear();
    if (item->onMeasureItem.isHandler(this, "MeasureMenuItem")) item->onMeasureItem.clear();
  }
  for (ui::MenuItem* sub : std::vector<ui::MenuItem*>(item->items())) HookMenuItem(sub, enable);
}

std::vector<TControlSubClass*> TXPMenu::Records() const {
  std::vector<TControlSubClass*> out;
  for (ui::Component* c : components())
    if (auto* r = dynamic_cast<TControlSubClass*>(c)) out.push_back(r);
  return out;
}

TControlSubClass* TXPMenu::RecordOf(const ui::WinControl* control) const {
  for (TControlSubClass* r : Records())
    if (r->Control() == control && r->control()) return r;
  return nullptr;
}

void TXPMenu::loaded() {
  ui::Component::loaded();
  TXPMenuManager::Ensure().AddSkin(this);
}

void TXPMenu::notification(ui::Component* c, ui::Operation op) {
  if (TXPMenuManager* m = TXPMenuManager::Instance()) m->FormNotification(c, op);
  ui::Component::notification(c, op);
  // A menu item added later is hooked at once, so it is drawn like its neighbours.
  if (active_ && autoDetect_ && op == ui::Operation::Insert)
    if (auto* item = dynamic_cast<ui::MenuItem*>(c)) HookMenuItem(item, true);
}
