#include "ui/menu_item.h"

#include <algorithm>
#include <map>
#include <set>

#include "ui/menu.h"
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

}  // namespace

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

MenuItem* MenuItem::byCommand(UINT id) {
  auto it = commands().find(id);
  return it == commands().end() ? nullptr : it->second;
}

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

}  // namespace ui
