#include "ui/menu.h"

#include <algorithm>
#include <map>
#include <set>

#include "ui/application.h"
#include "ui/form.h"
#include "ui/text.h"

namespace ui {

namespace {

std::map<UINT, MenuItem*>& commands() {
  static std::map<UINT, MenuItem*> m;
  return m;
}
std::set<const MenuItem*>& liveItems() {
  static std::set<const MenuItem*> s;
  return s;
}
UINT nextCommand() {
  static UINT next = 100;
  while (commands().count(next) || next == 0) next = next >= 0xFFFF ? 100 : next + 1;
  return next++;
}

const std::vector<std::string> kBiDiModes = {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign",
                                             "bdRightToLeftReadingOnly"};

const std::pair<int, const char*> kKeyNames[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"}, {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"}, {VK_END, "End"}, {VK_HOME, "Home"}, {VK_LEFT, "Left"},
    {VK_UP, "Up"}, {VK_RIGHT, "Right"}, {VK_DOWN, "Down"}, {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
};

std::string keyName(int key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  for (const auto& [k, n] : kKeyNames)
    if (k == key) return n;
  return {};
}

void menuFont(Canvas& c) {
  LOGFONTW lf = screen().menuFont();
  c.font.setFromLogFont(lf);
  c.font.setColor(clMenuText);
}

}  // namespace

std::string shortCutToText(int sc) {
  std::string name = keyName(sc & 0xFF);
  if (name.empty()) return {};
  std::string s;
  if (sc & scShift) s += "Shift+";
  if (sc & scCtrl) s += "Ctrl+";
  if (sc & scAlt) s += "Alt+";
  return s + name;
}

int textToShortCut(const std::string& text) {
  int mods = 0;
  std::string rest = text;
  for (;;) {
    if (rest.rfind("Shift+", 0) == 0) { mods |= scShift; rest = rest.substr(6); }
    else if (rest.rfind("Ctrl+", 0) == 0) { mods |= scCtrl; rest = rest.substr(5); }
    else if (rest.rfind("Alt+", 0) == 0) { mods |= scAlt; rest = rest.substr(4); }
    else break;
  }
  for (int k = 1; k < 256; ++k)
    if (!rest.empty() && keyName(k) == rest) return mods | k;
  return 0;
}

// ----- MenuItem -----

const ClassInfo& MenuItem::staticClassInfo() {
  static const ClassInfo info =
      ClassInfo("TMenuItem", &Component::staticClassInfo(), makeComponent<MenuItem>)
          .prop(prop::resource<MenuItem>(
              "Bitmap", [](MenuItem& m) { return m.bitmapResource(); },
              [](MenuItem& m, const std::string& n) { m.setBitmapResource(n); }))
          .prop(prop::string<MenuItem>("Caption", "", &MenuItem::caption, &MenuItem::setCaption))
          .prop(prop::boolean<MenuItem>("Checked", false, &MenuItem::checked, &MenuItem::setChecked))
          .prop(prop::boolean<MenuItem>("Default", false, &MenuItem::isDefault, &MenuItem::setDefault))
          .prop(prop::boolean<MenuItem>("Enabled", true, &MenuItem::enabled, &MenuItem::setEnabled))
          .prop(prop::integer<MenuItem, int>("GroupIndex", 0, &MenuItem::groupIndex, &MenuItem::setGroupIndex))
          .prop(prop::integer<MenuItem, int>("ImageIndex", -1, &MenuItem::imageIndex, &MenuItem::setImageIndex))
          .prop(prop::boolean<MenuItem>("RadioItem", false, &MenuItem::radioItem, &MenuItem::setRadioItem))
          .prop(prop::integer<MenuItem, int>("ShortCut", 0, &MenuItem::shortCut, &MenuItem::setShortCut))
          .prop(prop::ref<MenuItem, ImageList>("SubMenuImages", &MenuItem::subMenuImages, &MenuItem::setSubMenuImages))
          .prop(prop::boolean<MenuItem>("Visible", true, &MenuItem::visible, &MenuItem::setVisible))
          .prop(prop::event("OnClick", &MenuItem::onClick))
          .prop(prop::event("OnDrawItem", &MenuItem::onDrawItem))
          .prop(prop::event("OnMeasureItem", &MenuItem::onMeasureItem));
  return info;
}

MenuItem::MenuItem(Component* owner) : Component(owner), bitmap_(std::make_unique<Bitmap>()) {
  command_ = nextCommand();
  commands()[command_] = this;
  liveItems().insert(this);
}

bool MenuItem::isLive(const void* item) { return liveItems().count(static_cast<const MenuItem*>(item)) > 0; }

MenuItem::~MenuItem() {
  commands().erase(command_);
  liveItems().erase(this);
  for (MenuItem* c : items_) c->parent_ = nullptr;
  items_.clear();
  if (parent_) parent_->remove(this);
  if (popup_) DestroyMenu(popup_);
}

void MenuItem::changed() {
  if (Menu* m = menu()) m->changed();
}

void MenuItem::setCaption(const std::string& gbk) {
  if (gbk == caption_) return;
  caption_ = gbk;
  changed();
}
void MenuItem::setShortCut(int sc) { shortCut_ = sc; changed(); }
void MenuItem::setChecked(bool v) { checked_ = v; changed(); }
void MenuItem::setRadioItem(bool v) { radioItem_ = v; changed(); }
void MenuItem::setEnabled(bool v) { enabled_ = v; changed(); }
void MenuItem::setDefault(bool v) { default_ = v; changed(); }
void MenuItem::setVisible(bool v) { visible_ = v; changed(); }
void MenuItem::setImageIndex(int i) { imageIndex_ = i; changed(); }
void MenuItem::setSubMenuImages(ImageList* l) {
  subMenuImages_ = l;
  if (l) l->freeNotification(this);
  changed();
}
void MenuItem::setBitmapResource(const std::string& name) {
  if (name.empty())
    bitmap_->clear();
  else
    bitmap_->loadFromResource(name);
  changed();
}

void MenuItem::add(MenuItem* item) { insert(count(), item); }

void MenuItem::insert(int index, MenuItem* item) {
  if (!item || item == this) return;
  if (item->parent_) item->parent_->remove(item);
  index = std::clamp(index, 0, count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  changed();
}

void MenuItem::remove(MenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  changed();
}

int MenuItem::indexOf(const MenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

Menu* MenuItem::menu() const {
  const MenuItem* i = this;
  while (i->parent_) i = i->parent_;
  return i->rootOf_;
}

int MenuItem::menuIndex() const { return parent_ ? parent_->indexOf(this) : -1; }

HMENU MenuItem::handle() {
  if (Menu* m = menu()) m->handle();
  return popup_;
}

void MenuItem::setParentComponent(Component* parent) {
  if (auto* m = dynamic_cast<Menu*>(parent))
    m->items().add(this);
  else if (auto* i = dynamic_cast<MenuItem*>(parent))
    i->add(this);
}

Component* MenuItem::parentComponent() const {
  if (!parent_) return nullptr;
  if (parent_->rootOf_) return parent_->rootOf_;
  return parent_;
}

void MenuItem::notification(Component* c, Operation op) {
  Component::notification(c, op);
  if (op == Operation::Remove && c == subMenuImages_) subMenuImages_ = nullptr;
}

void MenuItem::click() {
  MenuItem* self = this;
  onClick(self);
}

void MenuItem::fillMenu(HMENU target) {
  Menu* m = menu();
  bool ownerDraw = m && m->ownerDraw();
  bool rightToLeft = m && m->isRightToLeft();
  for (MenuItem* c : items_) {
    if (!c->visible_) continue;
    std::wstring text = widen(c->caption_);
    std::string sc = shortCutToText(c->shortCut_);
    if (!sc.empty()) text += L"\t" + widen(sc);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
    mii.fType = c->isLine() ? MFT_SEPARATOR : 0;
    if (c->radioItem_) mii.fType |= MFT_RADIOCHECK;
    if (rightToLeft) mii.fType |= MFT_RIGHTORDER;
    if (ownerDraw) {
      mii.fType |= MFT_OWNERDRAW;
    } else if (!c->isLine()) {
      mii.fMask |= MIIM_STRING;
      mii.dwTypeData = text.data();
    }
    mii.fState = (c->checked_ ? MFS_CHECKED : 0) | (c->enabled_ ? 0 : MFS_GRAYED) | (c->default_ ? MFS_DEFAULT : 0);
    mii.wID = c->command_;
    mii.dwItemData = reinterpret_cast<ULONG_PTR>(c);
    if (c->popup_) {
      DestroyMenu(c->popup_);
      c->popup_ = nullptr;
    }
    if (!c->items_.empty()) {
      c->popup_ = CreatePopupMenu();
      c->fillMenu(c->popup_);
      mii.hSubMenu = c->popup_;
    }
    InsertMenuItemW(target, GetMenuItemCount(target), TRUE, &mii);
  }
}

SIZE MenuItem::defaultMeasure(Canvas& canvas) {
  if (isLine()) return SIZE{10, GetSystemMetrics(SM_CYMENU) / 2};
  std::string text = caption_;
  std::string sc = shortCutToText(shortCut_);
  SIZE s = canvas.textExtent(text);
  if (!sc.empty()) s.cx += canvas.textWidth(sc) + canvas.textWidth("WWW");
  Menu* m = menu();
  bool bar = m && m->isMainMenu() && parent_ && parent_->rootOf_;
  if (!bar) s.cx += GetSystemMetrics(SM_CXMENUCHECK);
  s.cy = std::max<LONG>(s.cy + 4, GetSystemMetrics(SM_CYMENU));
  return s;
}

void MenuItem::defaultDraw(Canvas& canvas, RECT rect, bool selected) {
  canvas.brush.style = BrushStyle::Solid;
  canvas.brush.color = selected ? clHighlight : clMenu;
  canvas.fillRect(rect);
  if (isLine()) {
    canvas.pen.color = clBtnShadow;
    int y = (rect.top + rect.bottom) / 2;
    canvas.moveTo(rect.left + 2, y);
    canvas.lineTo(rect.right - 2, y);
    return;
  }
  canvas.font.setColor(!enabled_ ? clGrayText : selected ? clHighlightText : clMenuText);
  canvas.brush.style = BrushStyle::Clear;
  RECT r = rect;
  r.left += 4;
  canvas.drawText(caption_, r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  std::string sc = shortCutToText(shortCut_);
  if (!sc.empty()) {
    r.right -= 10;
    canvas.drawText(sc, r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  }
}

// ----- Menu -----

const ClassInfo& Menu::staticClassInfo() {
  static const ClassInfo info =
      ClassInfo("TMenu", &Component::staticClassInfo())
          .prop(prop::enumeration<Menu, BiDiMode>("BiDiMode", kBiDiModes, BiDiMode::LeftToRight, &Menu::biDiMode,
                                                  &Menu::setBiDiMode))
          .prop(prop::ref<Menu, ImageList>("Images", &Menu::images, &Menu::setImages))
          .prop(prop::boolean<Menu>("OwnerDraw", false, &Menu::ownerDraw, &Menu::setOwnerDraw));
  return info;
}

Menu::Menu(Component* owner) : Component(owner), root_(std::make_unique<MenuItem>(nullptr)) {
  root_->rootOf_ = this;
}

Menu::~Menu() {
  if (menu_) DestroyMenu(menu_);  // also destroys the sub-menus of the items
  std::vector<MenuItem*> all;
  std::vector<MenuItem*> stack(root_->items_.begin(), root_->items_.end());
  while (!stack.empty()) {
    MenuItem* i = stack.back();
    stack.pop_back();
    i->popup_ = nullptr;
    stack.insert(stack.end(), i->items_.begin(), i->items_.end());
  }
  root_.reset();
}

void Menu::setImages(ImageList* l) {
  images_ = l;
  if (l) l->freeNotification(this);
  changed();
}

void Menu::setBiDiMode(BiDiMode m) {
  if (m == biDiMode_) return;
  biDiMode_ = m;
  changed();
}

void Menu::setOwnerDraw(bool v) {
  if (v == ownerDraw_) return;
  ownerDraw_ = v;
  changed();
}

HMENU Menu::createHandle() { return CreatePopupMenu(); }

HMENU Menu::handle() {
  if (!menu_) {
    menu_ = createHandle();
    root_->fillMenu(menu_);
  }
  return menu_;
}

void Menu::rebuild() {
  if (!menu_) return;
  while (GetMenuItemCount(menu_) > 0) RemoveMenu(menu_, 0, MF_BYPOSITION);
  root_->fillMenu(menu_);
}

void Menu::changed() {
  if (!loading()) rebuild();
}

void Menu::loaded() {
  Component::loaded();
  rebuild();
}

void Menu::notification(Component* c, Operation op) {
  Component::notification(c, op);
  if (op == Operation::Remove && c == images_) images_ = nullptr;
}

MenuItem* Menu::findCommand(UINT id) {
  auto it = commands().find(id);
  if (it == commands().end() || !it->second->menu()) return nullptr;
  return it->second;
}

bool Menu::measureItem(MEASUREITEMSTRUCT& mis) {
  auto* item = reinterpret_cast<MenuItem*>(mis.itemData);
  if (!liveItems().count(item)) return false;
  HDC dc = GetDC(nullptr);
  {
    Canvas canvas(dc);
    menuFont(canvas);
    SIZE s = item->defaultMeasure(canvas);
    int w = s.cx, h = s.cy;
    if (item->onMeasureItem) {
      dispatchEvent([&] { item->onMeasureItem(item, canvas, w, h); });
    }
    mis.itemWidth = static_cast<UINT>(std::max(0, w));
    mis.itemHeight = static_cast<UINT>(std::max(0, h));
  }
  ReleaseDC(nullptr, dc);
  return true;
}

bool Menu::drawItem(const DRAWITEMSTRUCT& dis) {
  auto* item = reinterpret_cast<MenuItem*>(dis.itemData);
  if (!liveItems().count(item)) return false;
  int saved = SaveDC(dis.hDC);
  {
    Canvas canvas(dis.hDC);
    menuFont(canvas);
    bool selected = (dis.itemState & ODS_SELECTED) != 0;
    if (item->onDrawItem)
      dispatchEvent([&] { item->onDrawItem(item, canvas, dis.rcItem, selected); });
    else
      item->defaultDraw(canvas, dis.rcItem, selected);
  }
  RestoreDC(dis.hDC, saved);
  return true;
}

// ----- MainMenu / PopupMenu -----

const ClassInfo& MainMenu::staticClassInfo() {
  static const ClassInfo info("TMainMenu", &Menu::staticClassInfo(), makeComponent<MainMenu>);
  return info;
}

MainMenu::MainMenu(Component* owner) : Menu(owner) {}

MainMenu::~MainMenu() {
  if (form_) form_->setMenu(nullptr);
}

HMENU MainMenu::createHandle() { return CreateMenu(); }

HWND MainMenu::windowHandle() const { return form_ && form_->handleAllocated() ? form_->handle() : nullptr; }

void MainMenu::changed() {
  Menu::changed();
  if (HWND w = windowHandle()) DrawMenuBar(w);
}

const ClassInfo& PopupMenu::staticClassInfo() {
  static const ClassInfo info = ClassInfo("TPopupMenu", &Menu::staticClassInfo(), makeComponent<PopupMenu>)
                                    .prop(prop::event("OnPopup", &PopupMenu::onPopup));
  return info;
}

PopupMenu::PopupMenu(Component* owner) : Menu(owner) {}

HMENU PopupMenu::createHandle() { return CreatePopupMenu(); }

void PopupMenu::popup(int x, int y) {
  PopupMenu* self = this;
  onPopup(self);
  HWND owner = application().mainForm() ? application().mainForm()->handle() : application().handle();
  UINT cmd = static_cast<UINT>(
      TrackPopupMenu(handle(), (isRightToLeft() ? TPM_RIGHTALIGN : TPM_LEFTALIGN) | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                     x, y, 0, owner, nullptr));
  if (cmd)
    if (MenuItem* item = findCommand(cmd)) dispatchEvent([item] { item->click(); });
}

}  // namespace ui
