// Measuring menu items: the room a caption, its shortcut, a sub-menu arrow and the
// item's image need, on top of the framework's default measurement.
#include <algorithm>
#include <cmath>

#include "skin/menu/xp_menu.h"
#include "ui/main_menu.h"

namespace {

std::string trimmed(const std::string& s) {
  size_t b = s.find_first_not_of(' '), e = s.find_last_not_of(' ');
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

}  // namespace

bool TXPMenu::IsBarItem(const ui::MenuItem* item) {
  auto* mm = dynamic_cast<ui::MainMenu*>(item->menu());
  return mm && item->parentItem() == &mm->items();
}

SIZE TXPMenu::ItemImageSize(ui::MenuItem* item, ui::Menu* menu) const {
  ui::MenuItem* parent = item->parentItem();
  ui::Menu* owning = item->menu();
  bool fromList = menu && menu->images() && item->imageIndex() != -1;
  if ((owning && owning->images()) || (parent && parent->subMenuImages())) fromList = item->imageIndex() != -1;
  SIZE s{0, 0};
  ui::ImageList* list = parent && parent->subMenuImages() ? parent->subMenuImages() : owning ? owning->images() : nullptr;
  if (fromList && list) {
    s = SIZE{list->width(), list->height()};
  } else if (item->bitmap().width() > 0) {
    s = SIZE{item->bitmap().width(), item->bitmap().height()};
  }
  if (!IsBarItem(item)) s.cx = std::max<LONG>(s.cx, iconWidth_);
  return s;
}

void TXPMenu::MeasureMenuItem(ui::MenuItem* item, ui::Canvas& canvas, int& width, int& height) {
  if (!active_) return;
  bool separator = item->caption() == "-";
  std::string text = separator ? std::string() : item->caption();
  std::string shortcut = trimmed(ui::shortCutToText(item->shortCut()));
  if (!shortcut.empty()) text += shortcut + "WWW";  // the letters stand for the gap
  canvas.font.assign(font_);
  int w = canvas.textWidth(text) + 5;
  if (text.find('&') != std::string::npos) w -= canvas.textWidth("&");
  bool bar = IsBarItem(item);
  if (!bar && item->count() > 0) w += 6;  // the sub-menu arrow
  ui::MainMenu* mm = bar ? dynamic_cast<ui::MainMenu*>(item->menu()) : nullptr;
  SIZE image = ItemImageSize(item, mm);
  width = std::max(width, w + static_cast<int>(image.cx));
  if (separator) {
    height = 4;
    return;
  }
  int th = canvas.textHeight(text);
  int h = std::max(th + static_cast<int>(std::nearbyint(th * 0.75)), static_cast<int>(image.cy) + 6);
  height = std::max(height, h);
}
