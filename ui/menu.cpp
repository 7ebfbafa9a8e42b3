#include "ui/menu.h"

#include <algorithm>

#include "ui/application.h"

namespace ui {
namespace {

const std::vector<std::string> kBiDiModes = {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign",
                                             "bdRightToLeftReadingOnly"};

void menuFont(Canvas& c) {
  LOGFONTW lf = screen().menuFont();
  c.font.setFromLogFont(lf);
  c.font.setColor(clMenuText);
}

}  // namespace

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
  MenuItem* item = MenuItem::byCommand(id);
  return item && item->menu() ? item : nullptr;
}

bool Menu::measureItem(MEASUREITEMSTRUCT& mis) {
  auto* item = reinterpret_cast<MenuItem*>(mis.itemData);
  if (!MenuItem::isLive(item)) return false;
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
  if (!MenuItem::isLive(item)) return false;
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

}  // namespace ui
